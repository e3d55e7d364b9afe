// SPDX-License-Identifier: GPL-3.0-or-later
// The web remote: the home as the bridge confirms it, over one WebSocket.
// A press shows as pending until the home's answer comes back; nothing is
// shown as done before that. Only what the home shows is loaded with it;
// the other screens come once the home is drawn.
import { devicePicture, scenarioPicture } from './pictures.js';
import { mostUsed, quickControl } from './quick.js';

const texts = JSON.parse(document.documentElement.dataset.texts);
const fill = (format, value) => format.replace('%1', value);
// The page's parts, once the document is parsed. This module runs as soon
// as it arrives and opens the WebSocket at once; what the socket says before
// the parts are there waits for them.
let rows = null;
let linkLine = null;
let banner = null;
let syncButton = null;
let announcer = null;
let started = false;
const waiting = [];
const whenStarted = (work) => (started ? work() : waiting.push(work));
const channels = new Map();
// Per dimmer: whether a level is on its way, and the newest one asked for
// since (only that one goes next, when the home has answered).
const dimming = new Map();
// What the banner may have to say, the most serious first. The bridge lost
// and the master silent read alike, as the app's one connection banner
// (the link line tells them apart); when that failure ends, the banner says
// so for two seconds.
const problems = { connection: false, master: false, message: '', notice: '', recovered: false };
const recoveredMs = 2000;
let recoveredTimer = null;
const link = { state: 'unknown', answeredAt: null };
let socket = null;
let retryMs = 1000;
let retryTimer = null;
let messageTimer = null;
// "family" or "owner", as the bridge says; the owner's controls show only for an owner.
let role = 'family';
let devices = null;
let scenarioEditor = null;
let enrolling = null;
let backups = null;
let schedules = null;
let quick = null;
let lastHome = null;
// The screens the home does not show (its devices, enrolment, backups,
// schedules, the scenario steps): fetched after the home is drawn, or at
// once when a press needs one; what they are told before they are there
// waits for them, in order.
let screensLoading = null;
let screensReady = false;
const forScreens = [];
const whenScreens = (work) => (screensReady ? work() : forScreens.push(work));
const views = ['lights', 'curtains', 'scenarios', 'scenario-choose', 'scenario-editor', 'devices', 'detail', 'enrol', 'backups',
  'schedules', 'schedule-editor', 'about', 'help'];

function showBanner() {
  const failed = problems.connection || problems.master;
  if (failed) {
    problems.recovered = false;
  } else if (banner.classList.contains('failed')) { // the failure shown until now has ended
    // An error told while the failure covered it is old news now; a notice
    // (a restore that restarts the bridge) still has its say first.
    problems.message = '';
    problems.recovered = true;
    clearTimeout(recoveredTimer);
    recoveredTimer = setTimeout(() => {
      problems.recovered = false;
      showBanner();
    }, recoveredMs);
  }
  const text = failed ? texts.connectionFailed
    : problems.message || problems.notice || (problems.recovered ? texts.connectionBack : '');
  banner.textContent = text;
  banner.hidden = !text;
  banner.classList.toggle('failed', failed);
  banner.classList.toggle('notice', !failed && !problems.message);
  placeBanner();
}

// The banner stays at the top of the window as the page scrolls; while a
// dialog covers the page it shows inside that dialog, to be seen there.
function placeBanner() {
  const dialog = document.querySelector('dialog[open]');
  if (dialog && banner.parentElement !== dialog) dialog.prepend(banner);
  else if (!dialog && banner.parentElement !== document.body) document.querySelector('header').after(banner);
}

// A passing message (an error of one press, a finished synchronisation).
function tell(kind, text) {
  problems.message = kind === 'error' ? text : '';
  problems.notice = kind === 'notice' ? text : '';
  showBanner();
  clearTimeout(messageTimer);
  messageTimer = setTimeout(() => { problems.message = ''; problems.notice = ''; showBanner(); }, 8000);
}

function ago(seconds) {
  if (seconds < 60) return fill(texts.secondsAgo, seconds);
  if (seconds < 3600) return fill(texts.minutesAgo, Math.floor(seconds / 60));
  return fill(texts.hoursAgo, Math.floor(seconds / 3600));
}

function showLink() {
  if (!socket || socket.readyState !== WebSocket.OPEN) linkLine.textContent = texts.disconnected;
  else if (link.state === 'offline') linkLine.textContent = texts.notAnswering;
  else if (link.answeredAt === null) linkLine.textContent = texts.waiting;
  else linkLine.textContent = fill(texts.answered, ago(Math.max(0, Math.floor((Date.now() - link.answeredAt) / 1000))));
  problems.master = link.state === 'offline';
  showBanner();
}

function takeLink(message) {
  link.state = message.state;
  link.answeredAt = message.answeredAgo === null ? null : Date.now() - message.answeredAgo * 1000;
  showLink();
}

function send(request) {
  if (socket && socket.readyState === WebSocket.OPEN) {
    socket.send(JSON.stringify(request));
    // A new press makes the last one's error old news.
    problems.message = '';
    showBanner();
    return true;
  }
  tell('error', texts.notConnected);
  return false;
}

function stateText(channel) {
  if (channel.available === false) return texts.unknown;
  if (channel.kind === 'curtain') return channel.state === 'OPEN' ? texts.opened : texts.closed;
  if (channel.kind === 'dimmer' && channel.state === 'ON') return `${channel.brightness}%`;
  return channel.state === 'ON' ? texts.on : texts.off;
}

function button(label, name, onClick) {
  const element = document.createElement('button');
  element.type = 'button';
  element.textContent = label;
  if (name) element.setAttribute('aria-label', name);
  element.addEventListener('click', onClick);
  return element;
}

// How far a pointer must travel across a row, mostly sideways, to be a swipe.
const swipeDistance = 40;

// The app's swipe rows of one list: a row's Edit and Delete show only after a
// swipe across it, either way (or its own ⋯, for a keyboard or a screen
// reader), and hide after the next, one row at a time; the press that ends a
// swipe opens nothing. A row's key names it across redraws.
function swipeRows() {
  let openKey = null;
  let openRow = null;

  function show(row, key, shown) {
    if (shown && openRow && openRow !== row) show(openRow, openKey, false);
    row.querySelector(':scope > .row-actions').hidden = !shown;
    row.querySelector(':scope > .more').setAttribute('aria-expanded', String(shown));
    if (shown) [openKey, openRow] = [key, row];
    else if (openKey === key) [openKey, openRow] = [null, null];
  }

  function followSwipes(row, key) {
    let from = null;
    let swiped = false;
    // A drag along a slider moves its knob; it is no swipe.
    row.addEventListener('pointerdown', (event) => {
      from = event.target.closest('input[type="range"]') ? null : { x: event.clientX, y: event.clientY };
    });
    row.addEventListener('pointercancel', () => { from = null; });
    row.addEventListener('pointerup', (event) => {
      if (!from) return;
      const across = event.clientX - from.x;
      const down = event.clientY - from.y;
      from = null;
      if (Math.abs(across) < swipeDistance || Math.abs(across) < 2 * Math.abs(down)) return;
      // The click that may follow this release (same task) is the swipe's, not a press.
      swiped = true;
      setTimeout(() => { swiped = false; });
      show(row, key, openKey !== key);
    });
    row.addEventListener('click', (event) => {
      if (!swiped) return;
      swiped = false;
      event.stopPropagation();
    }, true);
  }

  return {
    isOpen: (key) => openKey === key,
    hide: (row, key) => show(row, key, false),
    // Gives the row its ⋯ and its hidden actions; open again if it was before a redraw.
    add(row, key, name, actions) {
      const more = button('⋯', fill(texts.actionsNamed, name), () => show(row, key, openKey !== key));
      more.className = 'more';
      const panel = document.createElement('span');
      panel.className = 'row-actions';
      panel.append(...actions);
      row.classList.add('swipe');
      row.append(more, panel);
      show(row, key, openKey === key);
      followSwipes(row, key);
    },
  };
}

// A Done that waits for the home's answer to the flow it started: busy from
// the request sent until the flow's end. end() says whether it was waiting.
function waitingDone(done) {
  const waiting = () => done.getAttribute('aria-busy') === 'true';
  return {
    waiting,
    start(sent) {
      if (sent) done.setAttribute('aria-busy', 'true');
    },
    end() {
      const was = waiting();
      done.removeAttribute('aria-busy');
      return was;
    },
  };
}

// A question with its buttons (the app's alert); the index of the one chosen
// goes to answer. Closed another way (Escape), it is answered by its Cancel,
// as if pressed: the home may be waiting on the answer to end its flow.
function ask(message, buttons, answer) {
  const dialog = document.getElementById('question');
  document.getElementById('question-text').textContent = message;
  let answered = false;
  const choose = (index) => {
    if (answered) return;
    answered = true;
    dialog.close();
    answer(index);
  };
  dialog.querySelector('.actions').replaceChildren(...buttons.map((label, index) => button(label, '', () => choose(index))));
  // The home's own questions name their Cancel in Chinese, as the app's do.
  const cancel = buttons.findIndex((label) => label === texts.cancel || label === '取消');
  dialog.onclose = () => { if (cancel >= 0) choose(cancel); };
  dialog.showModal();
}

// The app's name fields: text goes in only while the field holds fewer than
// 20 characters; typing past that cuts the field to 20 and says so. A longer
// name pasted whole is said at its saving, and nothing is sent. Characters
// are counted as the app and the bridge count them, in UTF-16 units (an
// emoji is two), and a cut never splits one.
const nameLimit = 20;
const characters = (text) => text.length;
function cutName(text) {
  let cut = '';
  for (const character of text) {
    if (cut.length + character.length > nameLimit) break;
    cut += character;
  }
  return cut;
}

// What the wire to the master cannot carry in a name: a comma, a written
// "\n", a control character or a line or paragraph separator.
const unsendable = /[,\u0000-\u001f\u007f-\u009f\u2028\u2029]|\\n/;

// Whether a name breaks the app's rules (said, and nothing sent): too long,
// or holding what cannot be sent.
function nameRefused(name) {
  const refusal = characters(name) > nameLimit ? texts.nameTooLong
    : unsendable.test(name) ? texts.nameUnsendable : '';
  if (refusal) tell('error', refusal);
  return refusal !== '';
}

function limitName(field) {
  field.removeAttribute('maxlength');
  field.addEventListener('beforeinput', (event) => {
    if (!event.inputType.startsWith('insert') || characters(field.value) < nameLimit) return;
    event.preventDefault();
    field.value = cutName(field.value);
    tell('error', texts.nameTooLong);
  });
}

// The lighting and curtain rows: an owner's Edit and Delete behind a swipe, as the app's.
const channelRows = swipeRows();

function rowOf(channel) {
  const row = document.createElement('li');
  row.id = `channel-${channel.id}`;
  const name = document.createElement('span');
  name.className = 'name';
  name.textContent = channel.name;
  name.setAttribute('elementtiming', 'row'); // when it was first drawn, for the benchmark
  const state = document.createElement('span');
  state.className = 'state';
  // The name with its state beneath it, so that the controls keep to one line.
  const label = document.createElement('span');
  label.className = 'label';
  label.append(name, state);
  row.append(devicePicture(channel.kind), label);
  const press = (request) => {
    if (send({ type: 'set', id: channel.id, ...request })) markPending(row);
  };
  if (channel.kind === 'curtain') {
    // The lower half, as the app's opened curtain row: open, close, stop.
    const motions = document.createElement('span');
    motions.className = 'motions';
    for (const [word, label, named, icon] of [['OPEN', texts.open, texts.openNamed, 'curtain_open'],
      ['CLOSE', texts.close, texts.closeNamed, 'curtain_close'], ['STOP', texts.stop, texts.stopNamed, 'curtain_stop']]) {
      const motion = button(label, fill(named, channel.name), () => press({ state: word }));
      motion.prepend(Object.assign(new Image(24, 24), { loading: 'lazy', alt: '', src: `/icons/${icon}.svg` }));
      motions.append(motion);
    }
    row.append(motions);
  } else if (channel.kind === 'dimmer') {
    // As the app's slider, in the row's lower half: a drag sends one level,
    // when it ends; its − and + a tenth of the range at once; the number
    // beside it follows the knob.
    const slider = document.createElement('input');
    slider.type = 'range';
    slider.min = 0;
    slider.max = 100;
    slider.setAttribute('aria-label', fill(texts.brightnessNamed, channel.name));
    slider.addEventListener('change', () => dim(channel.id, Number(slider.value)));
    const value = document.createElement('span');
    value.className = 'value';
    value.setAttribute('aria-hidden', 'true');
    slider.addEventListener('input', () => { value.textContent = `${slider.value}%`; });
    const level = document.createElement('span');
    level.className = 'level';
    const step = (by, word) => button(by < 0 ? '−' : '+', `${word} ${channel.name}`, () => {
      slider.value = Number(slider.value) + by; // a range keeps its value within its bounds
      slider.dispatchEvent(new Event('input', { bubbles: true }));
      dim(channel.id, Number(slider.value));
    });
    level.append(step(-10, texts.less), slider, step(10, texts.more), value);
    row.append(level);
  } else {
    // A switch: the app's ON and OFF pair, the one the home reports filled.
    for (const [word, label, named, kind] of [['ON', texts.on, texts.turnOnNamed, 'on'],
      ['OFF', texts.off, texts.turnOffNamed, 'off']]) {
      const pair = button(label, fill(named, channel.name), () => press({ state: word }));
      pair.classList.add(kind);
      row.append(pair);
    }
  }
  if (role === 'owner') {
    channelRows.add(row, channel.id, channel.name, [
      button(texts.edit, `${texts.edit} ${channel.name}`, () => {
        channelRows.hide(row, channel.id);
        withScreens(() => devices.rename(channel));
      }),
      button(texts.delete, `${texts.delete} ${channel.name}`, () => withScreens(() => devices.remove(channel)))]);
  }
  return row;
}

// A slider's track is filled up to its knob, as the app draws it: set when a
// slider is made (in any view) and whenever a person moves it; a value the
// page sets later is followed by a call here.
function showFill(slider) {
  slider.style.setProperty('--level', (slider.value - slider.min) / ((slider.max - slider.min) || 1));
}
document.addEventListener('input', (event) => {
  if (event.target.matches?.('input[type="range"]')) showFill(event.target);
});
new MutationObserver((changes) => {
  for (const change of changes) {
    for (const node of change.addedNodes) {
      if (node.nodeType !== Node.ELEMENT_NODE) continue;
      if (node.matches('input[type="range"]')) showFill(node);
      node.querySelectorAll('input[type="range"]').forEach(showFill);
    }
  }
}).observe(document.documentElement, { childList: true, subtree: true });

// A press on its way: shown, and told to assistive technology, until the home answers.
function markPending(row) {
  row.classList.add('pending');
  row.setAttribute('aria-busy', 'true');
}

function clearPending(row) {
  row?.classList.remove('pending');
  row?.removeAttribute('aria-busy');
}

function dim(id, level) {
  const state = dimming.get(id) ?? { outstanding: false, newest: null };
  dimming.set(id, state);
  if (state.outstanding) {
    state.newest = level;
    return;
  }
  if (!send({ type: 'set', id, brightness: level })) return;
  state.outstanding = true;
  markPending(document.getElementById(`channel-${id}`));
}

// The home answered a dimmer: the newest level asked for meanwhile goes now.
function dimAnswered(id, shown) {
  const state = dimming.get(id);
  if (!state || !state.outstanding) return;
  state.outstanding = false;
  const next = state.newest;
  state.newest = null;
  if (next !== null && next !== shown) dim(id, next);
}

function show(channel) {
  channels.set(channel.id, channel);
  const list = channel.kind === 'curtain' ? rows.curtains : rows.lights;
  let row = document.getElementById(`channel-${channel.id}`);
  if (!row) {
    list.querySelector('.empty')?.remove();
    row = rowOf(channel);
    list.append(row);
  }
  const pressed = row.classList.contains('pending');
  clearPending(row);
  row.classList.toggle('unavailable', channel.available === false);
  row.dataset.state = channel.state;
  row.querySelector('.state').textContent = stateText(channel);
  // What this page asked for, once confirmed, is said to a screen reader too.
  if (pressed) announcer.textContent = `${channel.name}: ${stateText(channel)}`;
  quick.show(channel);
  whenScreens(() => scenarioEditor.takeState(channel));
  const slider = row.querySelector('input[type="range"]');
  if (slider && !dimming.get(channel.id)?.outstanding) {
    slider.value = channel.brightness ?? 0;
    showFill(slider);
    row.querySelector('.value').textContent = `${slider.value}%`;
  }
  dimAnswered(channel.id, channel.brightness);
}

// The home's own views show the scenario strip, as the app's home screen does.
const homeViews = ['lights', 'curtains'];
// The views the home's tiles switch between. Every other view is a screen
// of its own, as in the app: without the tiles and the menu, with its Back.
const tileViews = [...homeViews, 'scenarios'];
let tileView = 'lights';
let viewBefore = 'lights';

// The control each screen was opened by, for the focus to go back to.
const openers = new Map();

function showView(shown) {
  const current = views.find((view) => !document.getElementById(view).hidden);
  const section = document.getElementById(shown);
  const screen = !tileViews.includes(shown);
  if (current && current !== shown) {
    viewBefore = current;
    if (screen) window.scrollTo(0, 0); // a screen opens at its top
    // Kept when coming back to it from a screen it opened.
    if (screen && !section.contains(document.activeElement) && !section.contains(openers.get(current) ?? null)) {
      openers.set(shown, document.activeElement);
    }
  }
  if (!screen) tileView = shown;
  for (const view of views) document.getElementById(view).hidden = view !== shown;
  document.getElementById('strip-area').hidden = !homeViews.includes(shown);
  document.body.classList.toggle('away', screen);
  document.body.classList.toggle('on-scenarios', shown === 'scenarios'); // the bar's + instead of its scanner
  for (const tile of document.querySelectorAll('.tile')) tile.setAttribute('aria-pressed', String(tile.dataset.view === shown));
  if (current && current !== shown) focusShown(current, shown);
}

// The focus follows the person: back to what opened the screen left, where
// that is in sight again, else to the new screen's title (or the home's tile).
function focusShown(left, shown) {
  const opener = openers.get(left);
  if (opener?.isConnected && opener.checkVisibility() && document.getElementById(shown).contains(opener)
    || (opener && tileViews.includes(shown) && opener.checkVisibility())) {
    opener.focus();
    return;
  }
  const title = tileViews.includes(shown) ? document.querySelector(`.tile[data-view="${shown}"]`)
    : document.getElementById(document.getElementById(shown).getAttribute('aria-labelledby'));
  if (!title || title.contains(document.activeElement)) return;
  if (!title.matches('button')) title.tabIndex = -1;
  title.focus({ preventScroll: true });
}

// A screen's Back: to the home's view it left ("home"), the view it was opened from ("before"), or the one named.
document.addEventListener('click', (event) => {
  const back = event.target.closest?.('button[data-back]');
  if (!back) return;
  const to = back.dataset.back;
  showView(to === 'home' ? tileView : to === 'before' ? viewBefore : to);
});

function takeRole(message) {
  role = message.role;
  for (const element of document.querySelectorAll('button[data-owner]')) element.hidden = role !== 'owner';
  if (role !== 'owner' && ['devices', 'detail', 'scenario-choose', 'scenario-editor', 'enrol', 'backups', 'schedule-editor'].some((view) => !document.getElementById(view).hidden)) showView('lights');
  if (lastHome) showScenarios(lastHome.scenarios);
  const { role: now } = message;
  whenScreens(() => schedules.takeRole(now));
}

// The scenarios, each run by a press; the owner's own also changed or deleted.
// All On and All Off as made are named in the page's language; renamed, by their name.
function scenarioName(scenario) {
  const builtIn = { '-1': texts.allOn, '-2': texts.allOff };
  return !scenario.user && !scenario.name ? builtIn[scenario.number] : scenario.name;
}

const scenarioRows = swipeRows();

function showScenarios(scenarios) {
  whenScreens(() => scenarioEditor.takeScenarios(scenarios));
  rows.scenarios.replaceChildren();
  for (const scenario of scenarios) {
    const row = document.createElement('li');
    row.className = 'scenario';
    row.dataset.number = scenario.number;
    const name = scenarioName(scenario);
    // A press on a row whose Edit and Delete show only hides them, as in the app.
    const run = button(name, '', () => {
      if (scenarioRows.isOpen(scenario.number)) scenarioRows.hide(row, scenario.number);
      else send({ type: 'scenario', number: scenario.number });
    });
    run.className = 'run';
    run.prepend(scenarioPicture(scenario.image));
    row.append(run);
    // The one that ran last, as the app marks it: its row filled, with a tick.
    if (scenario.active) {
      row.classList.add('active');
      run.setAttribute('aria-current', 'true');
    }
    if (role === 'owner') {
      const edit = button(texts.edit, `${texts.edit} ${name}`, () => {
        scenarioRows.hide(row, scenario.number);
        // All On and All Off: only their name and picture change, as in the app.
        withScreens(() => scenarioEditor.edit(scenario.user ? scenario : { ...scenario, name }));
      });
      const remove = button(texts.delete, `${texts.delete} ${name}`,
        () => withScreens(() => scenarioEditor.remove(scenario, name)));
      scenarioRows.add(row, scenario.number, name, scenario.user ? [edit, remove] : [edit]);
    }
    rows.scenarios.append(row);
  }
  showStrip(scenarios.map((scenario) => ({ ...scenario, name: scenarioName(scenario) })));
}

// The strip as the app's: "All" (the scenario list), every scenario by how
// often it ran (ties in the home's order), the one that ran last marked, and
// "Add Scenario" for an owner. One press runs a scenario.
function showStrip(scenarios) {
  quick.takeScenarios(scenarios);
  const strip = document.getElementById('strip');
  const entry = (label, name, picture, onClick) => {
    const item = document.createElement('li');
    const press = button('', name, onClick);
    const text = document.createElement('span');
    text.textContent = label;
    press.append(picture, text);
    item.append(press);
    return item;
  };
  const symbol = (character) => {
    const picture = document.createElement('span');
    picture.className = 'picture symbol';
    picture.setAttribute('aria-hidden', 'true');
    picture.textContent = character;
    return picture;
  };
  const byUse = mostUsed(scenarios);
  const entries = [entry(texts.all, texts.all, symbol('☰'), () => showView('scenarios'))];
  for (const scenario of byUse) {
    const item = entry(scenario.name, fill(texts.runNamed, scenario.name), scenarioPicture(scenario.image),
      () => send({ type: 'scenario', number: scenario.number }));
    if (scenario.active) {
      item.classList.add('active');
      item.firstChild.setAttribute('aria-current', 'true');
    }
    entries.push(item);
  }
  if (role === 'owner') {
    entries.push(entry(texts.addScenario, texts.addScenario, symbol('+'),
      () => document.getElementById('add-scenario').click()));
  }
  strip.replaceChildren(...entries);
  showStripPage();
}

// The strip's pages of five: a dot each, the one in view filled. The page in
// view is read once the strip stops scrolling; a strip drawn anew keeps it
// (within its pages) without asking for a layout in the middle of drawing.
const stripPerPage = 5;
let stripPage = 0;
function showStripPage() {
  const strip = document.getElementById('strip');
  const pages = Math.ceil(strip.children.length / stripPerPage);
  strip.style.setProperty('--missing', pages * stripPerPage - strip.children.length);
  stripPage = Math.max(0, Math.min(stripPage, pages - 1));
  const dots = document.getElementById('strip-pages');
  dots.hidden = pages < 2;
  dots.replaceChildren(...Array.from({ length: pages }, (_, page) => {
    const dot = document.createElement('span');
    if (page === stripPage) dot.className = 'shown';
    return dot;
  }));
}

function stripScrolled() {
  const strip = document.getElementById('strip');
  stripPage = strip.clientWidth ? Math.round(strip.scrollLeft / strip.clientWidth) : 0;
  showStripPage();
}

// The app's help topics and installation guide: each opened on its own,
// its pictures loaded only then.
function showHelp(topics) {
  const list = document.getElementById('help-topics');
  list.replaceChildren(...topics.map((topic) => {
    const details = document.createElement('details');
    const summary = document.createElement('summary');
    summary.textContent = topic.title;
    details.append(summary);
    if (topic.header) {
      const header = document.createElement('p');
      header.textContent = topic.header;
      details.append(header);
    }
    for (const step of topic.steps) {
      const figure = document.createElement('figure');
      const picture = document.createElement('img');
      picture.loading = 'lazy';
      picture.alt = '';
      picture.dataset.src = step.picture;
      const caption = document.createElement('figcaption');
      caption.textContent = step.text;
      figure.append(picture, caption);
      details.append(figure);
    }
    details.addEventListener('toggle', () => {
      for (const picture of details.querySelectorAll('img[data-src]')) picture.src = picture.dataset.src;
    });
    return details;
  }));
  showView('help');
}

// An empty list says so instead of showing nothing, as the app's does.
function noDevicesRow() {
  const empty = document.createElement('li');
  empty.className = 'empty';
  const none = document.createElement('span');
  none.textContent = texts.noDevices;
  const hint = document.createElement('span');
  hint.className = 'hint';
  hint.textContent = texts.tryToAdd;
  empty.append(none, hint);
  return empty;
}

function showHome(home) {
  for (const list of Object.values(rows)) list.replaceChildren();
  channels.clear();
  dimming.clear();
  quick.takeHome(home);
  home.channels.forEach(show);
  lastHome = home;
  showScenarios(home.scenarios);
  for (const list of [rows.lights, rows.curtains]) if (!list.children.length) list.append(noDevicesRow());
  whenScreens(() => {
    scenarioEditor.takeChannels(home.channels);
    devices.takeHome(home);
    schedules.takeHome(home);
  });
  takeLink(home.link);
  // The moment the first controls can be used, for the benchmark.
  if (!performance.getEntriesByName('usable').length) performance.mark('usable');
  // The rest of the page once this frame is drawn (or soon, for a page not
  // in view); after a failed fetch, again with the next home.
  if (screensLoading || screensReady) return;
  requestAnimationFrame(() => setTimeout(afterFirstHome));
  setTimeout(afterFirstHome, 500);
}

// Errors whose page text has the code's name.
const namedErrors = ['syncFailed', 'storeUnreadable', 'ownerOnly', 'nameEmpty', 'nameTooLong',
  'nameUnsendable', 'noDevice', 'noQuestion', 'noMembers', 'maxScenarios', 'deleteFailed', 'noScenario',
  'badMember', 'badPicture', 'pictureNotSaved', 'notDecoded', 'busy', 'changedElsewhere',
  'tooFast', 'backupFailed', 'noBackups'];

function errorText(message) {
  if (namedErrors.includes(message.code)) return texts[message.code];
  if (message.code === 'refused') return texts.refused;
  if (message.code === 'controlFailed') return `${texts.controlFailed}: ${texts.checkDevice}`;
  return message.message;
}

function receive(message) {
  if (message.type === 'home') {
    if (message.role) takeRole(message);
    showHome(message);
  }
  else if (message.type === 'state') show(message);
  else if (message.type === 'link') takeLink(message);
  else if (message.type === 'uses') quick.takeUses(message);
  else if (message.type === 'role') {
    takeRole(message);
    if (lastHome) showHome(lastHome); // the rows with, or without, an owner's Edit and Delete
  }
  else if (message.type === 'toast') tell(message.good ? 'notice' : 'error', [message.title, message.detail].filter(Boolean).join(': '));
  else if (['transmitters', 'detail', 'question'].includes(message.type)) whenScreens(() => {
    devices.receive(message);
    if (message.type === 'transmitters') enrolling.takeTransmitters(message.transmitters);
  });
  else if (['decoded', 'enrolled'].includes(message.type)) whenScreens(() => enrolling.receive(message));
  else if (message.type === 'backups') whenScreens(() => backups.receive(message));
  else if (message.type === 'schedules') whenScreens(() => schedules.receive(message));
  else if (message.type === 'scheduleDone') whenScreens(() => schedules.done(message));
  else if (message.type === 'scenarioDone') whenScreens(() => scenarioEditor.ended(message));
  else if (message.type === 'renameDone') whenScreens(() => devices.renamed(message));
  else if (message.type === 'help') showHelp(message.topics);
  else if (message.type === 'notice') {
    syncButton.removeAttribute('aria-busy');
    tell('notice', texts.synced);
  } else if (message.type === 'error') {
    tell('error', errorText(message));
    if (message.code === 'syncFailed') syncButton.removeAttribute('aria-busy');
    if (message.code === 'backupFailed') whenScreens(() => backups.failed());
    if (message.code === 'scheduleRefused') whenScreens(() => schedules.refused());
    // An error of one channel ends that row's press; any other, every press.
    const ended = message.id ? [message.id] : [...channels.keys()];
    for (const id of ended) {
      clearPending(document.getElementById(`channel-${id}`));
      if (message.id) whenScreens(() => scenarioEditor.controlFailed(id));
      if (dimming.has(id)) Object.assign(dimming.get(id), { outstanding: false, newest: null });
    }
  }
}

// What a screen shows that the bridge sends only when asked: asked again
// when the socket opens anew (after the bridge started again, on a restored
// home for one), so that the screen shown does not keep what the bridge
// before it said, nor miss the answer to a request that bridge never gave.
const askedByView = { backups: { type: 'backups' }, devices: { type: 'transmitters' } };
function askAgainForShownView() {
  for (const [view, request] of Object.entries(askedByView)) {
    if (!document.getElementById(view).hidden) send(request);
  }
}

// The socket the document opened at its start, with the events it had
// before this script was there; taken once (a reconnection opens its own).
function takeFirstSocket() {
  const first = window.firstSocket;
  delete window.firstSocket;
  for (const type of ['open', 'message', 'close']) first?.socket.removeEventListener(type, first.hear);
  return first;
}

function connect() {
  const first = takeFirstSocket();
  // A reconnection goes where the first socket went (the page's language in its query).
  socket = first?.socket ?? new WebSocket(socket.url);
  const handlers = {
    open() {
      retryMs = 1000;
      whenStarted(() => {
        problems.connection = false;
        showLink();
        askAgainForShownView();
      });
    },
    message(event) {
      const message = JSON.parse(event.data);
      whenStarted(() => receive(message));
    },
    close() {
      retryTimer = setTimeout(connect, retryMs);
      retryMs = Math.min(retryMs * 2, 30000);
      whenStarted(() => {
        problems.connection = true;
        syncButton.removeAttribute('aria-busy');
        if (screensReady) { // their answers will not come
          scenarioEditor.ended({ done: false });
          devices.renamed({ done: false });
        }
        for (const row of document.querySelectorAll('li.pending')) clearPending(row);
        showLink();
      });
    },
  };
  // What the first socket had already goes first, then what comes; both in one task, so in order.
  for (const event of first?.heard ?? []) handlers[event.type](event);
  for (const [type, handler] of Object.entries(handlers)) socket.addEventListener(type, handler);
}

// A phone coming back to the page (or back on the network) tries at once
// instead of waiting out the back-off.
function reconnectNow() {
  if (document.visibilityState !== 'visible' || socket?.readyState !== WebSocket.CLOSED) return;
  clearTimeout(retryTimer);
  retryMs = 1000;
  connect();
}

// The home tiles' hidden panels and the scenario steps press as the rows and the strip do.
function press(id, request) {
  if (send({ type: 'set', id, ...request })) markPending(document.getElementById(`channel-${id}`));
}

function makeScreens([{ deviceManagement }, { enrolment }, { backupManagement }, { scenarioEditing }, { scheduleManagement }]) {
  const tellError = (text) => tell('error', text);
  const names = { limitName, nameRefused };
  devices = deviceManagement({ texts, fill, send, button, showView, tellError, ask, noDevicesRow, swipeRows,
    waitingDone, ...names });
  enrolling = enrolment({ texts, send, button, showView, tell, ...names });
  backups = backupManagement({ texts, fill, send, showView, tell, ask });
  scenarioEditor = scenarioEditing({ texts, fill, send, press, dim, showView, tellError, ask, waitingDone, ...names });
  schedules = scheduleManagement({ texts, fill, send, button, showView, tell, ask, scenarioName, swipeRows });
  screensReady = true;
  for (const work of forScreens.splice(0)) work();
}

// Fetched once; a failed fetch (the bridge gone meanwhile) is tried again at the next need.
function loadScreens() {
  screensLoading ??= Promise.all(['./devices.js', './enrol.js', './backups.js', './scenarios.js', './schedules.js']
    .map((module) => import(module))).then(makeScreens, () => { screensLoading = null; });
}

// A press that needs one of those screens: fetched now if it is not there yet.
function withScreens(work) {
  whenScreens(work);
  loadScreens();
}

// The app's welcome pages on a phone's first visit, remembered on the phone
// (where it keeps nothing, they are not shown: they would come every time).
const welcomedKey = 'ardentia-welcomed';
function showWelcomeOnce() {
  try {
    if (localStorage.getItem(welcomedKey)) return;
  } catch {
    return;
  }
  import('./welcome.js').then(({ showWelcome }) => showWelcome({
    texts,
    onHelp: () => document.getElementById('open-help').click(),
    onClosed: () => { try { localStorage.setItem(welcomedKey, '1'); } catch { /* shown again next time */ } },
  }), () => {});
}

// Called more than once (after a frame, and by a timer); each step is idempotent.
function afterFirstHome() {
  for (const picture of document.querySelectorAll('.tile img[data-src]')) {
    picture.src = picture.dataset.src;
    picture.removeAttribute('data-src');
  }
  loadScreens();
  if ('serviceWorker' in navigator) navigator.serviceWorker.register('/sw.js');
}

function start() {
  rows = {
    lights: document.querySelector('#lights .rows'),
    curtains: document.querySelector('#curtains .rows'),
    scenarios: document.querySelector('#scenarios .rows'),
  };
  linkLine = document.getElementById('link');
  banner = document.getElementById('banner');
  syncButton = document.getElementById('sync');
  announcer = document.getElementById('announce');
  document.getElementById('strip').addEventListener('scrollend', stripScrolled);
  document.addEventListener('close', placeBanner, true); // a dialog's close does not bubble
  for (const tile of document.querySelectorAll('.tile')) tile.addEventListener('click', () => showView(tile.dataset.view));
  const runScenario = (number) => send({ type: 'scenario', number });
  quick = quickControl({ texts, fill, press, dim, runScenario, stateText });
  document.getElementById('open-backups').addEventListener('click', () => withScreens(() => backups.open()));
  document.getElementById('open-schedules').addEventListener('click', () => withScreens(() => schedules.open()));
  // The screens' own buttons, pressed before their screen is there, are pressed again when it is.
  for (const control of document.querySelectorAll('#open-devices, #add-scenario')) {
    control.addEventListener('click', (event) => {
      if (screensReady) return;
      event.stopImmediatePropagation();
      withScreens(() => control.click());
    }, { capture: true });
  }
  document.getElementById('open-help').addEventListener('click', () => send({ type: 'help' }));
  // The settings menu's actions, each asked first as the app's action sheets do.
  syncButton.addEventListener('click', () => {
    if (syncButton.getAttribute('aria-busy') === 'true') return; // one import at a time
    ask(texts.sync, [texts.cancel, texts.sync], (index) => {
      if (index === 1 && send({ type: 'sync' })) syncButton.setAttribute('aria-busy', 'true');
    });
  });
  document.getElementById('clean-all').addEventListener('click', () => {
    ask(texts.cleanAll, [texts.cancel, texts.cleanAll], (index) => {
      if (index === 1) send({ type: 'cleanAll' });
    });
  });
  document.getElementById('open-about').addEventListener('click', () => showView('about'));
  showWelcomeOnce();
  // The bar's menu: the settings at the foot of the home, brought into view.
  document.getElementById('open-menu').addEventListener('click', () => {
    const menu = document.querySelector('footer');
    menu.scrollIntoView({ block: 'start' });
    menu.querySelector('button:not([hidden])')?.focus({ preventScroll: true });
  });
  document.getElementById('open-scan').addEventListener('click', () => withScreens(() => document.getElementById('open-enrol').click()));
  started = true;
  for (const work of waiting.splice(0)) work();
  setInterval(showLink, 1000);
}

connect();
if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', start);
else start();
document.addEventListener('visibilitychange', reconnectNow);
window.addEventListener('online', reconnectNow);
