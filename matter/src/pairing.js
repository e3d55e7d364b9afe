// SPDX-License-Identifier: GPL-3.0-or-later
// The commissioning window (closed unless asked for, then open for 15
// minutes) and the controllers paired with the bridge (its fabrics).
import { DeviceCommissioner, FabricManager } from '@matter/main/protocol';

export const WINDOW_SECONDS = 15 * 60;

export class Pairing {
  #server;
  #log;
  #timer = null;
  #closesAt = 0;

  constructor(server, log) {
    this.#server = server;
    this.#log = log;
  }

  get isOpen() { return this.#timer !== null; }

  async open() {
    if (!this.isOpen) {
      await this.#server.env.get(DeviceCommissioner).allowBasicCommissioning(() => this.#closed());
      this.#timer = setTimeout(() => this.close(), WINDOW_SECONDS * 1000);
      this.#closesAt = Date.now() + WINDOW_SECONDS * 1000;
      this.#log(`pairing window open for ${WINDOW_SECONDS / 60} minutes`);
    }
    const { manualPairingCode, qrPairingCode } = this.#server.state.commissioning.pairingCodes;
    return {
      manualCode: manualPairingCode,
      qrCode: qrPairingCode,
      expiresIn: Math.max(0, Math.round((this.#closesAt - Date.now()) / 1000)),
    };
  }

  async close() {
    await this.#server.env.get(DeviceCommissioner).endCommissioning();
    this.#closed();
  }

  // Commissioning ended: by pairing, by the time-out or on request.
  #closed() {
    if (this.#timer === null) return;
    clearTimeout(this.#timer);
    this.#timer = null;
    this.#log('pairing window closed');
  }

  fabrics() {
    return this.#server.env.get(FabricManager).fabrics.map((fabric) => ({
      id: fabric.fabricIndex,
      label: fabric.label,
      vendorId: fabric.rootVendorId,
      fabricId: String(fabric.fabricId),
      nodeId: String(fabric.nodeId),
    }));
  }

  async removeFabric(id) {
    const fabric = this.#server.env.get(FabricManager).fabrics.find((f) => f.fabricIndex === id);
    if (!fabric) return false;
    await fabric.delete();
    this.#log(`removed controller ${id} (${fabric.label || 'no label'})`);
    return true;
  }
}
