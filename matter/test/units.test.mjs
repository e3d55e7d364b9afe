// SPDX-License-Identifier: GPL-3.0-or-later
// The pure parts of ardentia-matter: level and label conversions, state
// messages, the device list, unique IDs, the passcode and the options.
import assert from 'node:assert/strict';
import { randomBytes } from 'node:crypto';
import { mkdtempSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { createRequire } from 'node:module';
import { test } from 'node:test';
import { loadIdentityKey, uniqueIdOf } from '../src/identity.js';
import { MAX_CHANNELS, MAX_NAME_LENGTH, scenarioKey, wantedEndpoints } from '../src/homelist.js';
import { homeLevelOf, matterLabel, matterLevelOf, parseChannelState } from '../src/levels.js';
import { OptionsError, parseArguments } from '../src/options.js';
import { drawPasscode, isValidPasscode } from '../src/passcode.js';
import { REPORT_HOLDBACK_MS, shortenReportHoldback } from '../src/reportholdback.js';

test('levels convert both ways and keep the ends', () => {
  for (const [home, matter] of [[1, 3], [50, 127], [60, 152], [100, 254]]) {
    assert.equal(matterLevelOf(home), matter, `home ${home}`);
    assert.equal(homeLevelOf(matter), home, `matter ${matter}`);
  }
  assert.equal(homeLevelOf(1), 1, 'the lowest Matter level is not off');
  assert.equal(homeLevelOf(0), 0);
  for (const bad of [-1, 255, 1.5, null, '10']) assert.equal(homeLevelOf(bad), null, String(bad));
});

test('labels are cut to 32 bytes at a character boundary', () => {
  assert.equal(matterLabel('Hall'), 'Hall');
  assert.equal(matterLabel('x'.repeat(40)), 'x'.repeat(32));
  assert.equal(Buffer.byteLength(matterLabel('é'.repeat(20))), 32);
  assert.equal(matterLabel('ab' + '€'.repeat(11)), `ab${'€'.repeat(10)}`);
});

test('state messages are read, or refused when malformed', () => {
  assert.deepEqual(parseChannelState('{"state":"ON","brightness":60}'), { on: true, open: false, brightness: 60 });
  assert.deepEqual(parseChannelState('{"state":"OPEN"}'), { on: false, open: true });
  assert.deepEqual(parseChannelState('{"state":"OFF","brightness":101}'), { on: false, open: false });
  for (const bad of ['', 'ON', '[]', 'null', '{"brightness":3}']) assert.equal(parseChannelState(bad), null, bad);
});

test('the device list becomes endpoints; malformed entries are left out', () => {
  const { endpoints: wanted, refused } = wantedEndpoints({
    channels: [
      { id: '211300001230', name: 'Hall', type: 'light', dimmable: false },
      { id: '212200004560', name: 'Living', type: 'light', dimmable: true },
      { id: '213100007890', name: '', type: 'cover' },
      { id: '211300001230', name: 'Hall again', type: 'cover' },
      { id: '../x', name: 'bad' }, { name: 'no id' }, null, { id: 'A1', type: 'lock' },
      { id: 'A2', type: { toString: null } }, { id: 'A3', dimmable: 'yes', name: { n: 1 } },
      { id: 'A4', name: 'x'.repeat(100000) },
    ],
    scenarios: [{ number: '1', name: 'Evening' }, { number: -1, name: 'All On' }, { number: 'x' },
      { number: { toString: () => '2' } }, { number: [3] }, { number: '100' }],
  });
  assert.deepEqual([...wanted.keys()],
    ['211300001230', '212200004560', '213100007890', 'A3', 'A4', 'scenario-1', 'scenario-m1']);
  assert.equal(refused, 0);
  assert.equal(wanted.get('211300001230').name, 'Hall');
  assert.equal(wanted.get('212200004560').kind, 'dimmer');
  assert.deepEqual(wanted.get('213100007890'), { kind: 'curtain', id: '213100007890', name: '213100007890' });
  assert.deepEqual(wanted.get('A3'), { kind: 'switch', id: 'A3', name: 'A3' });
  assert.equal(wanted.get('A4').name.length, MAX_NAME_LENGTH);
  assert.deepEqual(wanted.get(scenarioKey('-1')), { kind: 'scenario', id: '-1', name: 'All On' });
  for (const nothing of [null, 'x', { channels: 'x', scenarios: {} }]) assert.equal(wantedEndpoints(nothing).endpoints.size, 0);

  const many = wantedEndpoints({ channels: Array.from({ length: MAX_CHANNELS + 5 }, (_, i) => ({ id: `C${i}` })),
    scenarios: [{ number: 1 }] });
  assert.equal(many.endpoints.size, MAX_CHANNELS + 1, 'the limit leaves the scenarios');
  assert.equal(many.refused, 5);
  assert.ok(many.endpoints.has('C0') && !many.endpoints.has(`C${MAX_CHANNELS}`), 'the first channels stay');
});

test('unique IDs are stable for an installation, and neither its serial numbers nor another installation\'s', () => {
  const dir = mkdtempSync(join(tmpdir(), 'ardentia-identity-'));
  try {
    const file = join(dir, 'identity');
    const key = loadIdentityKey(file);
    assert.equal(statSync(file).mode & 0o777, 0o600);
    assert.deepEqual(loadIdentityKey(file), key, 'kept across restarts');
    const ids = ['', '211300001230', 'scenario-1'].map((name) => uniqueIdOf(key, name));
    assert.equal(new Set(ids).size, 3);
    for (const id of ids) assert.match(id, /^[0-9a-f]{32}$/);
    assert.notEqual(uniqueIdOf(randomBytes(32), '211300001230'), ids[1]);
    writeFileSync(file, 'short\n');
    assert.throws(() => loadIdentityKey(file), /no identity key/);
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
});

test('passcodes are never one Matter forbids', () => {
  for (const bad of [0, 11111111, 12345678, 87654321, 99999999, 100000000]) assert.ok(!isValidPasscode(bad), String(bad));
  const draws = [11111111, 12345678, 20202021];
  assert.equal(drawPasscode(() => draws.shift()), 20202021);
});

test('options come from the flags over the file, and are checked', () => {
  const file = 'host = broker\nport = 1884\n# a comment\n[section]\nbase-topic = home\n';
  const options = parseArguments(['--config', 'f', '--data', '/d', '--port=1999'], () => file);
  assert.equal(options.host, 'broker');
  assert.equal(options.port, 1999);
  assert.equal(options['base-topic'], 'home');
  assert.equal(options['matter-port'], 5540);
  const files = { m: 'bridge-config = b\n', b: 'host = x\ninterface = eth1\nweb-listen = 0.0.0.0:8080\n' };
  assert.equal(parseArguments(['--config', 'm', '--data', '/d'], (f) => files[f]).interface, 'eth1',
    'the bridge\'s interface by default');
  assert.equal(parseArguments(['--config', 'm', '--data', '/d', '--interface', 'lo'], (f) => files[f]).interface, 'lo');
  assert.equal(parseArguments(['--data', '/d', '--bridge-config', 'none'], () => {
    throw Object.assign(new Error('gone'), { code: 'ENOENT' });
  }).interface, undefined, 'no bridge settings: every interface');
  for (const [argv, text] of [[['--data', '/d', '--port', 'x'], ''], [['--bogus', '1'], ''],
    [['--port'], ''], [[], ''], [['--config', 'f', '--data', '/d'], 'colour = red'],
    [['--data', '/d', '--base-topic', 'a/#'], '']]) {
    assert.throws(() => parseArguments(argv, () => text), OptionsError, argv.join(' '));
  }
});

test('only the subscription report holdback is shortened, and matter.js still names it so', async () => {
  const { Millis, Time } = await import('@matter/main');
  shortenReportHoldback();
  const interval = (name) => Time.getTimer(name, Millis(50), () => {}).interval;
  assert.equal(interval('Subscription 000abc12 delay'), REPORT_HOLDBACK_MS);
  for (const other of ['Subscription 000abc12 update', 'Subscription update', 'delay', 'MRP retransmission'])
    assert.equal(interval(other), 50, other);
  // A matter.js that names its holdback otherwise would silently bring the 50 ms back.
  const entry = createRequire(import.meta.url).resolve('@matter/node');
  const source = readFileSync(join(entry, '../../esm/node/server/ServerSubscription.js'), 'utf8');
  assert.match(source, /`Subscription \$\{this\.idStr\} delay`,\s*Millis\(50\)/);
});
