// SPDX-License-Identifier: GPL-3.0-or-later
// matter.js holds every subscription report back 50 ms, so that the changes
// of one update leave in one report. The home's changes come whole (one state
// message sets an endpoint's attributes in one transaction), so a much
// shorter wait still gathers them, and a phone sees a confirmed state about
// 40 ms sooner. The wait is one of matter.js's named timers, made through its
// replaceable time source: only that timer is shortened. The controller's
// own minimum interval between reports is kept as matter.js applies it.
import { Millis, Time } from '@matter/main';

export const REPORT_HOLDBACK_MS = 10;
const REPORT_DELAY_TIMER = /^Subscription [0-9a-f]+ delay$/i;

export function holdbackFor(name, duration) {
  return REPORT_DELAY_TIMER.test(name) ? Millis(REPORT_HOLDBACK_MS) : duration;
}

export function shortenReportHoldback() {
  const standard = Time.default;
  const shortened = Object.create(standard);
  shortened.getTimer = (name, duration, callback) =>
    standard.getTimer(name, holdbackFor(name, duration), callback);
  Time.default = shortened;
}
