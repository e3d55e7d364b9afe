// SPDX-License-Identifier: GPL-3.0-or-later
// Matter clusters whose commands go to the home instead of changing the
// endpoint's state: the state changes only when the home confirms it.
import { OnOffServer } from '@matter/main/behaviors/on-off';
import { LevelControlServer } from '@matter/main/behaviors/level-control';
import { WindowCoveringServer } from '@matter/main/behaviors/window-covering';
import { Status, StatusResponseError } from '@matter/main/types';

// Where the commands go: set once by the bridge, (endpoint id, command) ->
// a promise of the home's answer (see HomeEndpoints.handle).
let route = async () => ({ done: false, why: 'not connected to the home' });
export function routeCommandsTo(handler) {
  route = handler;
}

// A command succeeds once the home has carried it out; the controller is told
// why it did not: the home did not answer in time, the value was out of range,
// or the home (or the bridge) refused it.
async function ask(behavior, command) {
  const answer = await route(behavior.endpoint.id, command);
  if (answer.done) return;
  const status = answer.timedOut ? Status.Timeout : answer.invalid ? Status.ConstraintError : Status.Failure;
  throw new StatusResponseError(answer.why, status);
}

export class HomeLightOnOffServer extends OnOffServer.with('Lighting') {
  on() { return ask(this, { kind: 'switch', on: true }); }
  off() { return ask(this, { kind: 'switch', on: false }); }
  toggle() { return ask(this, { kind: 'switch', on: !this.state.onOff }); }
  offWithEffect() { return this.off(); }
  onWithRecallGlobalScene() { return this.on(); }
  onWithTimedOff() { return this.on(); }
}

// A scenario: switching it on runs it; it has nothing to switch off.
export class ScenarioOnOffServer extends OnOffServer {
  on() { return ask(this, { kind: 'run' }); }
  off() {}
  toggle() { return this.state.onOff ? undefined : this.on(); }
}

export class HomeLevelControlServer extends LevelControlServer.with('Lighting', 'OnOff') {
  moveToLevel({ level }) { return ask(this, { kind: 'level', level }); }
  moveToLevelWithOnOff({ level }) { return ask(this, { kind: 'level', level }); }
  // The home's dimmers take a level, not a ramp: a step goes to the level it ends at.
  step({ stepMode, stepSize }) { return this.#step(stepMode, stepSize); }
  stepWithOnOff({ stepMode, stepSize }) { return this.#step(stepMode, stepSize); }
  move() { return ask(this, { kind: 'unsupported', name: 'move' }); }
  moveWithOnOff() { return ask(this, { kind: 'unsupported', name: 'move' }); }
  stop() {}
  stopWithOnOff() {}

  #step(stepMode, stepSize) {
    const current = this.state.currentLevel ?? 1;
    const level = stepMode === 0 ? current + stepSize : current - stepSize;
    return ask(this, { kind: 'level', level: Math.min(254, Math.max(1, level)) });
  }
}

// Lift without positions: the home knows where a curtain went, not how far.
export class HomeWindowCoveringServer extends WindowCoveringServer.with('Lift') {
  upOrOpen() { return ask(this, { kind: 'move', motion: 'OPEN' }); }
  downOrClose() { return ask(this, { kind: 'move', motion: 'CLOSE' }); }
  stopMotion() { return ask(this, { kind: 'move', motion: 'STOP' }); }
}
