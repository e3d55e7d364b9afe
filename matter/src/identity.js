// SPDX-License-Identifier: GPL-3.0-or-later
// Matter's unique IDs: stable across restarts, distinct from the serial
// numbers (a channel's ID) and from one installation to the next, so that
// they tell nothing about the home. Each is a keyed hash of a name under a
// key drawn once and kept in the data folder for this service alone.
import { createHmac, randomBytes } from 'node:crypto';
import { chmodSync, readFileSync, writeFileSync } from 'node:fs';

const KEY_BYTES = 32;
const UNIQUE_ID_LENGTH = 32; // the longest Matter takes

export function loadIdentityKey(file) {
  let text;
  try {
    text = readFileSync(file, 'utf8').trim();
  } catch (error) {
    if (error.code !== 'ENOENT') throw error;
    const key = randomBytes(KEY_BYTES);
    writeFileSync(file, `${key.toString('hex')}\n`, { mode: 0o600, flag: 'wx' });
    return key;
  }
  chmodSync(file, 0o600);
  if (!new RegExp(`^[0-9a-f]{${2 * KEY_BYTES}}$`).test(text)) throw new Error(`${file} holds no identity key`);
  return Buffer.from(text, 'hex');
}

// The unique ID of the node (name '') or of the bridged endpoint of that ID.
export const uniqueIdOf = (key, name) =>
  createHmac('sha256', key).update(`ardentia-matter/${name}`).digest('hex').slice(0, UNIQUE_ID_LENGTH);
