// SPDX-License-Identifier: GPL-3.0-or-later
// Options from the command line and the INI file that --config names (the
// same names, a flag wins over the file).
import { readFileSync } from 'node:fs';

export const OPTIONS = {
  config: 'the settings file',
  host: 'the broker (localhost)',
  port: 'the broker\'s port (1883)',
  username: 'the broker user',
  'password-file': 'a file whose first line is the password',
  'ca-file': 'TLS: the CA certificates',
  'cert-file': 'TLS: the client certificate',
  'key-file': 'TLS: the client key',
  'base-topic': 'the bridge\'s base topic (ardentia)',
  data: 'the folder for pairings, the passcode and the control socket',
  interface: 'the network interface for mDNS and Matter (default: the bridge\'s, else every one)',
  'bridge-config': 'ardentia-bridge\'s settings, whose interface is the default',
  'matter-port': 'the Matter port (5540)',
};
const DEFAULTS = { host: 'localhost', port: '1883', 'base-topic': 'ardentia', 'matter-port': '5540' };

export class OptionsError extends Error {}

export function parseIni(text) {
  const values = {};
  for (const raw of text.split('\n')) {
    const line = raw.trim();
    if (!line || line.startsWith('#') || line.startsWith(';') || line.startsWith('[')) continue;
    const equals = line.indexOf('=');
    if (equals < 0) throw new OptionsError(`not "name = value": ${line}`);
    values[line.slice(0, equals).trim()] = line.slice(equals + 1).trim();
  }
  return values;
}

export function parseArguments(argv, readFile = (file) => readFileSync(file, 'utf8')) {
  const flags = {};
  for (let i = 0; i < argv.length; i += 1) {
    const arg = argv[i];
    if (arg === '--help' || arg === '-h') return { help: true };
    const match = arg.match(/^--([a-z-]+)(?:=(.*))?$/);
    if (!match || !(match[1] in OPTIONS)) throw new OptionsError(`unknown option: ${arg}`);
    const value = match[2] ?? argv[++i];
    if (value === undefined) throw new OptionsError(`${arg} needs a value`);
    flags[match[1]] = value;
  }
  const file = flags.config ? parseIni(readFile(flags.config)) : {};
  for (const name of Object.keys(file)) {
    if (!(name in OPTIONS) || name === 'config') throw new OptionsError(`unknown setting in ${flags.config}: ${name}`);
  }
  const options = { ...DEFAULTS, ...file, ...flags };
  // The interface the bridge reaches the home on, unless one is named here.
  if (!options.interface && options['bridge-config']) {
    let bridge = '';
    try {
      bridge = readFile(options['bridge-config']);
    } catch (error) {
      if (error.code !== 'ENOENT') throw error;
    }
    if (bridge) options.interface = parseIni(bridge).interface || undefined;
  }
  for (const name of ['port', 'matter-port']) {
    const number = Number(options[name]);
    if (!Number.isInteger(number) || number < 1 || number > 65535) throw new OptionsError(`--${name} must be a port number`);
    options[name] = number;
  }
  if (!options.data) throw new OptionsError('--data FOLDER is needed');
  if (!/^[^#+]+$/.test(options['base-topic'])) throw new OptionsError('--base-topic has no "#" or "+"');
  return options;
}

export function usage() {
  return ['Usage: ardentia-matter --data FOLDER [options]', '',
    'The home that ardentia-bridge serves on the broker, as a Matter bridge.', '',
    ...Object.entries(OPTIONS).map(([name, text]) => `  --${name.padEnd(16)} ${text}`)].join('\n');
}
