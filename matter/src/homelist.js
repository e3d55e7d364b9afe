// SPDX-License-Identifier: GPL-3.0-or-later
// The bridge's device list read into the endpoints it asks for: channels by
// their ID, scenarios by their number, anything malformed left out.

// The endpoint ID (also the key matter.js keeps its number under) of a scenario.
export const scenarioKey = (number) => `scenario-${String(number).replace('-', 'm')}`;

// What the home's device list says each endpoint should be.
export function wantedEndpoints(devices) {
  const wanted = new Map();
  for (const channel of Array.isArray(devices?.channels) ? devices.channels : []) {
    if (typeof channel?.id !== 'string' || !/^[0-9A-Za-z]{1,32}$/.test(channel.id)) continue;
    const kind = channel.type === 'cover' ? 'curtain' : channel.dimmable ? 'dimmer' : 'switch';
    wanted.set(channel.id, { kind, id: channel.id, name: String(channel.name || channel.id) });
  }
  for (const scenario of Array.isArray(devices?.scenarios) ? devices.scenarios : []) {
    const number = String(scenario?.number ?? '');
    if (!/^-?[0-9]{1,2}$/.test(number)) continue;
    wanted.set(scenarioKey(number),
      { kind: 'scenario', id: number, name: String(scenario.name || `Scenario ${number}`) });
  }
  return wanted;
}
