// SPDX-License-Identifier: GPL-3.0-or-later
// ardentia-matter: reads its options, then starts the bridge. matter.js reads
// its own settings from the environment when it loads, so they are set first.
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { OptionsError, parseArguments, usage } from './options.js';

let options;
try {
  options = parseArguments(process.argv.slice(2));
} catch (error) {
  if (!(error instanceof OptionsError) && error.code !== 'ENOENT') throw error;
  console.error(`ardentia-matter: ${error.message}`);
  process.exit(2);
}
if (options.help) {
  console.log(usage());
  process.exit(0);
}
mkdirSync(options.data, { recursive: true, mode: 0o700 });
process.env.MATTER_PATH_ROOT = join(options.data, 'matter');
process.env.MATTER_LOG_LEVEL ??= 'notice';
// Signals end the process through the bridge's own orderly stop alone.
process.env.MATTER_RUNTIME_SIGNALS = '0';
if (options.interface) process.env.MATTER_MDNS_NETWORKINTERFACE = options.interface;
process.argv = process.argv.slice(0, 2); // matter.js would read the flags as its own too

const { runBridge } = await import('./bridge.js');
await runBridge(options);
