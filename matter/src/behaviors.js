// SPDX-License-Identifier: GPL-3.0-or-later
// Matter clusters whose commands go to the home instead of changing the
// endpoint's state: the state changes only when the home confirms it.
import { OnOffServer } from '@matter/main/behaviors/on-off';
import { LevelControlServer } from '@matter/main/behaviors/level-control';
import { WindowCoveringServer } from '@matter/main/behaviors/window-covering';

// Where the commands go: set once by the bridge, (endpoint id, command) -> void.
let route = () => {};
export function routeCommandsTo(handler) {
  route = handler;
}

function ask(behavior, command) {
  route(behavior.endpoint.id, command);
}

export class HomeLightOnOffServer extends OnOffServer.with('Lighting') {
  on() { ask(this, { kind: 'switch', on: true }); }
  off() { ask(this, { kind: 'switch', on: false }); }
  toggle() { ask(this, { kind: 'switch', on: !this.state.onOff }); }
  offWithEffect() { this.off(); }
  onWithRecallGlobalScene() { this.on(); }
  onWithTimedOff() { this.on(); }
}

// A scenario: switching it on runs it; it has nothing to switch off.
export class ScenarioOnOffServer extends OnOffServer {
  on() { ask(this, { kind: 'run' }); }
  off() {}
  toggle() { if (!this.state.onOff) this.on(); }
}

export class HomeLevelControlServer extends LevelControlServer.with('Lighting', 'OnOff') {
  moveToLevel({ level }) { ask(this, { kind: 'level', level }); }
  moveToLevelWithOnOff({ level }) { ask(this, { kind: 'level', level }); }
  // The home's dimmers take a level, not a ramp: a step goes to the level it ends at.
  step({ stepMode, stepSize }) { this.#step(stepMode, stepSize); }
  stepWithOnOff({ stepMode, stepSize }) { this.#step(stepMode, stepSize); }
  move() { ask(this, { kind: 'unsupported', name: 'move' }); }
  moveWithOnOff() { ask(this, { kind: 'unsupported', name: 'move' }); }
  stop() {}
  stopWithOnOff() {}

  #step(stepMode, stepSize) {
    const current = this.state.currentLevel ?? 1;
    const level = stepMode === 0 ? current + stepSize : current - stepSize;
    ask(this, { kind: 'level', level: Math.min(254, Math.max(1, level)) });
  }
}

// Lift without positions: the home knows where a curtain went, not how far.
export class HomeWindowCoveringServer extends WindowCoveringServer.with('Lift') {
  upOrOpen() { ask(this, { kind: 'move', motion: 'OPEN' }); }
  downOrClose() { ask(this, { kind: 'move', motion: 'CLOSE' }); }
  stopMotion() { ask(this, { kind: 'move', motion: 'STOP' }); }
}
