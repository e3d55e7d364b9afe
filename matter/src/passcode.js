// SPDX-License-Identifier: GPL-3.0-or-later
// The installation's setup passcode and discriminator: drawn at random once,
// kept in the data folder readable by this service alone.
import { randomInt } from 'node:crypto';
import { chmodSync, readFileSync, writeFileSync } from 'node:fs';

// Passcodes that Matter forbids: all one digit, and the two obvious sequences.
const FORBIDDEN = new Set([0, 11111111, 22222222, 33333333, 44444444, 55555555, 66666666,
  77777777, 88888888, 99999999, 12345678, 87654321]);

export function isValidPasscode(passcode) {
  return Number.isInteger(passcode) && passcode >= 1 && passcode <= 99999998 && !FORBIDDEN.has(passcode);
}

export function drawPasscode(draw = randomInt) {
  for (;;) {
    const passcode = draw(1, 99999999);
    if (isValidPasscode(passcode)) return passcode;
  }
}

// Reads the file, or makes it when it is missing; a file that cannot be used
// is an error rather than a new passcode behind the owner's back.
export function loadPairingSecrets(file) {
  let text;
  try {
    text = readFileSync(file, 'utf8');
  } catch (error) {
    if (error.code !== 'ENOENT') throw error;
    const secrets = { passcode: drawPasscode(), discriminator: randomInt(0, 4096) };
    writeFileSync(file, `${JSON.stringify(secrets)}\n`, { mode: 0o600, flag: 'wx' });
    return secrets;
  }
  chmodSync(file, 0o600);
  const secrets = JSON.parse(text);
  if (!isValidPasscode(secrets?.passcode) || !Number.isInteger(secrets?.discriminator)
      || secrets.discriminator < 0 || secrets.discriminator > 4095) {
    throw new Error(`${file} holds no valid passcode and discriminator`);
  }
  return secrets;
}
