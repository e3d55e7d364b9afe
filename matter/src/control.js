// SPDX-License-Identifier: GPL-3.0-or-later
// Requests from the owner's tools on a Unix socket in the data folder (whoever
// may open it may pair a controller): one JSON line in, one JSON line out.
import { chmodSync, rmSync } from 'node:fs';
import { createServer } from 'node:net';

const MAX_REQUEST_BYTES = 4096;

export function startControl(path, pairing, log) {
  rmSync(path, { force: true });
  const server = createServer((socket) => {
    let text = '';
    socket.setEncoding('utf8');
    socket.setTimeout(10000, () => socket.destroy());
    socket.on('error', () => {});
    socket.on('data', (chunk) => {
      text += chunk;
      if (text.length > MAX_REQUEST_BYTES) {
        socket.end(`${JSON.stringify({ status: 'error', error: 'the request is too long' })}\n`);
        return;
      }
      const end = text.indexOf('\n');
      if (end < 0) return;
      socket.removeAllListeners('data');
      answer(text.slice(0, end), pairing, log).then((reply) => socket.end(`${JSON.stringify(reply)}\n`));
    });
  });
  server.listen(path, () => chmodSync(path, 0o600));
  return server;
}

async function answer(line, pairing, log) {
  let request;
  try {
    request = JSON.parse(line);
  } catch {
    return { status: 'error', error: 'the request is not JSON' };
  }
  try {
    switch (request?.request) {
      case 'pair':
        return { status: 'ok', data: await pairing.open() };
      case 'fabrics':
        return { status: 'ok', data: pairing.fabrics() };
      case 'remove':
        if (!Number.isInteger(request.id)) return { status: 'error', error: 'name the controller by its number' };
        return await pairing.removeFabric(request.id)
          ? { status: 'ok', data: { removed: request.id } }
          : { status: 'error', error: `no controller ${request.id}` };
      default:
        return { status: 'error', error: 'the requests are pair, fabrics and remove' };
    }
  } catch (error) {
    log(`control request failed: ${error.message}`);
    return { status: 'error', error: error.message };
  }
}
