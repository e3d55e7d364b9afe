// SPDX-License-Identifier: GPL-3.0-or-later
// The bridge's device list read into the endpoints it asks for: channels by
// their ID, scenarios by their number, anything malformed left out. Anyone who
// may publish on the broker can forge the list, so it is read as hostile: a
// bounded number of entries, of known kinds, with names of bounded length.

// Far above a real home's channels (tens); each endpoint costs matter.js about
// 300 KB and some milliseconds, so a forged list of thousands must stop here.
export const MAX_CHANNELS = 400;
export const MAX_NAME_LENGTH = 256;
const KINDS = new Set(['light', 'cover']);

// The endpoint ID (also the key matter.js keeps its number under) of a scenario.
export const scenarioKey = (number) => `scenario-${String(number).replace('-', 'm')}`;

const nameOf = (name, fallback) =>
  (typeof name === 'string' && name !== '' ? name.slice(0, MAX_NAME_LENGTH) : fallback);

// What the home's device list says each endpoint should be (endpoints, by
// endpoint ID), and how many channels were refused for the limit.
export function wantedEndpoints(devices) {
  const wanted = new Map();
  let channels = 0;
  let refused = 0;
  for (const channel of Array.isArray(devices?.channels) ? devices.channels : []) {
    if (typeof channel?.id !== 'string' || !/^[0-9A-Za-z]{1,32}$/.test(channel.id)) continue;
    if (!KINDS.has(channel.type ?? 'light') || wanted.has(channel.id)) continue;
    if (channels === MAX_CHANNELS) {
      refused += 1;
      continue;
    }
    channels += 1;
    const kind = channel.type === 'cover' ? 'curtain' : channel.dimmable === true ? 'dimmer' : 'switch';
    wanted.set(channel.id, { kind, id: channel.id, name: nameOf(channel.name, channel.id) });
  }
  // At most 110 numbers fit the form (-9 to 99): no limit of their own.
  for (const scenario of Array.isArray(devices?.scenarios) ? devices.scenarios : []) {
    const number = typeof scenario?.number === 'number' || typeof scenario?.number === 'string'
      ? String(scenario.number) : '';
    if (!/^-?[0-9]{1,2}$/.test(number)) continue;
    wanted.set(scenarioKey(number),
      { kind: 'scenario', id: number, name: nameOf(scenario.name, `Scenario ${number}`) });
  }
  return { endpoints: wanted, refused };
}
