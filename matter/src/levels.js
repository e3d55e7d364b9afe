// SPDX-License-Identifier: GPL-3.0-or-later
// Conversions between the home's words and Matter's values.

// Matter's lighting levels run 1-254; the home's dimmers 0-100, 0 being off.
export const MATTER_MAX_LEVEL = 254;

export function matterLevelOf(homeLevel) {
  const level = Math.min(100, Math.max(1, Math.round(homeLevel)));
  return Math.max(1, Math.round((level * MATTER_MAX_LEVEL) / 100));
}

// A Matter level as the home's brightness, or null when it is no level at all.
export function homeLevelOf(matterLevel) {
  if (!Number.isInteger(matterLevel) || matterLevel < 0 || matterLevel > MATTER_MAX_LEVEL) return null;
  if (matterLevel === 0) return 0;
  return Math.max(1, Math.round((matterLevel * 100) / MATTER_MAX_LEVEL));
}

// Matter's labels hold at most 32 bytes of UTF-8: longer names are cut at a
// character boundary.
export function matterLabel(text, maxBytes = 32) {
  let label = '';
  let bytes = 0;
  for (const character of String(text ?? '')) {
    const size = Buffer.byteLength(character);
    if (bytes + size > maxBytes) break;
    label += character;
    bytes += size;
  }
  return label;
}

// The confirmed state of a channel from its retained state message.
export function parseChannelState(payload) {
  let state;
  try {
    state = JSON.parse(payload);
  } catch {
    return null;
  }
  if (state === null || typeof state !== 'object' || typeof state.state !== 'string') return null;
  const result = { on: state.state === 'ON', open: state.state === 'OPEN' };
  if (Number.isInteger(state.brightness) && state.brightness >= 0 && state.brightness <= 100) {
    result.brightness = state.brightness;
  }
  return result;
}
