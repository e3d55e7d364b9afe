// SPDX-License-Identifier: GPL-3.0-or-later
// The owner's scenarios: made, changed and deleted as the app's scenario
// screens do it, in its two steps. First every channel: a ticked one is
// asked its present state and shows it; the state chosen for it (switches
// on or off, dimmers by level, curtains open or closed) is the one it keeps,
// and the channel is driven there at once, so that the room shows the
// scenario as it is made. Then a name and one of the app's ten icons or a
// photo from the phone (sent to the bridge first, which holds it until the
// scenario is saved); the home stores the scenario when the master has
// acknowledged it, and the list shows it then.

import { devicePicture, iconCount, iconName, iconNumber, isPhoto } from './pictures.js';
import { uploadPhoto } from './upload.js';

// The most scenarios of the user's own the home keeps.
const maxUserScenarios = 8;

// The state a channel keeps in a scenario, in the form the page chooses it:
// "ON"/"OFF" for a switch, "OPEN"/"CLOSE" for a curtain, a level for a dimmer.
function liveState(channel) {
  if (channel.kind === 'dimmer') return channel.state === 'ON' ? channel.brightness ?? 0 : 0;
  if (channel.kind === 'curtain') return channel.state === 'OPEN' ? 'OPEN' : 'CLOSE';
  return channel.state === 'ON' ? 'ON' : 'OFF';
}

// The same from a stored member's state ("YES"/"NO" or a level).
function keptState(channel, stored) {
  if (channel.kind === 'dimmer') return stored === 'YES' ? 100 : Number(stored) || 0;
  if (channel.kind === 'curtain') return stored === 'YES' ? 'OPEN' : 'CLOSE';
  return stored === 'YES' ? 'ON' : 'OFF';
}

// A member as the save request carries it.
function memberOf(channel, state) {
  return channel.kind === 'dimmer' ? { id: channel.id, brightness: state } : { id: channel.id, state };
}

// The app's level slider (0 to 100) with its number beside it, following the
// knob; set() moves both, as a drag would (the track's fill follows it too).
export function levelSlider(level) {
  const slider = document.createElement('input');
  slider.type = 'range';
  slider.min = 0;
  slider.max = 100;
  const number = document.createElement('output');
  number.className = 'level-number';
  slider.addEventListener('input', () => { number.textContent = `${slider.value}%`; });
  const set = (value) => {
    slider.value = value;
    slider.dispatchEvent(new Event('input', { bubbles: true }));
  };
  set(level);
  return { slider, number, set };
}

// The first step: every channel, ticked in the order wanted; a ticked one
// asks its present state and shows it until a state is chosen for it; a
// chosen state drives the channel (a level as the app's level sender sends
// it: the newest once the channel is free). "Next" says how many are ticked,
// and the strip beside it shows their pictures in ticking order.
function selectionStep({ texts, fill, send, press, dim }) {
  const list = document.querySelector('#scenario-choose .members');
  const next = document.getElementById('choose-next');
  const strip = document.getElementById('choose-strip');
  let stripShows = '';
  let channels = new Map();
  // Ticked channels in ticking order: the state each keeps, and whether it
  // still shows the channel's present state (until one is chosen here).
  let chosen = new Map();

  function pair(channel, member, words) {
    return words.map(([word, label, named, kind]) => {
      const choice = document.createElement('button');
      choice.type = 'button';
      choice.className = kind;
      choice.textContent = label;
      choice.setAttribute('aria-label', fill(named, channel.name));
      choice.setAttribute('aria-pressed', String(member.state === word));
      choice.addEventListener('click', () => {
        Object.assign(member, { state: word, following: false });
        press(channel.id, { state: word });
        showRow(channel.id);
      });
      return choice;
    });
  }

  function levelChoice(channel, member) {
    const { slider, number } = levelSlider(member.state);
    slider.setAttribute('aria-label', fill(texts.brightnessNamed, channel.name));
    // The level goes when the drag ends.
    slider.addEventListener('input', () => Object.assign(member, { state: Number(slider.value), following: false }));
    slider.addEventListener('change', () => dim(channel.id, Number(slider.value)));
    return [slider, number];
  }

  function stateChoice(channel, member) {
    const choice = document.createElement('span');
    choice.className = `choice ${channel.kind}`;
    if (channel.kind === 'dimmer') choice.append(...levelChoice(channel, member));
    else if (channel.kind === 'curtain') {
      choice.append(...pair(channel, member, [['OPEN', texts.open, texts.openNamed, 'open'],
        ['CLOSE', texts.close, texts.closeNamed, 'close']]));
    } else {
      choice.append(...pair(channel, member, [['ON', texts.on, texts.turnOnNamed, 'on'],
        ['OFF', texts.off, texts.turnOffNamed, 'off']]));
    }
    return choice;
  }

  function rowOf(channel) {
    const row = document.createElement('li');
    row.className = 'member';
    row.dataset.id = channel.id;
    const include = document.createElement('input');
    include.type = 'checkbox';
    include.id = `include-${channel.id}`;
    include.checked = chosen.has(channel.id);
    include.setAttribute('aria-label', fill(texts.includeNamed, channel.name));
    include.addEventListener('change', () => tick(channel, include.checked));
    const label = document.createElement('label');
    label.className = 'label';
    label.htmlFor = include.id;
    const name = document.createElement('span');
    name.className = 'name';
    name.textContent = channel.name;
    label.append(name);
    // The tick box, then the device's picture, as the app's selection row.
    row.append(include, devicePicture(channel.kind), label);
    if (chosen.has(channel.id)) row.append(stateChoice(channel, chosen.get(channel.id)));
    return row;
  }

  // A strip wider than its room scrolls, so it takes the focus then (for the arrow keys).
  function markScrollable() {
    if (strip.scrollWidth > strip.clientWidth) strip.tabIndex = 0;
    else strip.removeAttribute('tabindex');
  }
  new ResizeObserver(markScrollable).observe(strip);

  // The count on "Next" and the strip of ticked pictures; after a tick the
  // strip ends at the newest.
  function showChosen(toNewest) {
    next.textContent = chosen.size ? `${texts.next}(${chosen.size})` : texts.next;
    const ticked = [...chosen.keys()].map((id) => channels.get(id));
    const shows = JSON.stringify(ticked.map(({ id, kind, name }) => [id, kind, name]));
    if (shows !== stripShows) {
      stripShows = shows;
      strip.replaceChildren(...ticked.map((channel) => {
        const item = document.createElement('li');
        item.dataset.id = channel.id;
        const name = document.createElement('span');
        name.className = 'visually-hidden';
        name.textContent = channel.name;
        item.append(devicePicture(channel.kind), name);
        return item;
      }));
      markScrollable();
    }
    if (toNewest) {
      const still = matchMedia('(prefers-reduced-motion: reduce)').matches;
      strip.scrollTo({ left: strip.scrollWidth, behavior: still ? 'auto' : 'smooth' });
    }
  }

  // Rows drawn again, the focus kept on the control (by its name) that had it.
  function keepingFocus(redraw) {
    const focused = list.contains(document.activeElement) ? document.activeElement.getAttribute('aria-label') : null;
    redraw();
    if (focused) [...list.querySelectorAll('[aria-label]')].find((e) => e.getAttribute('aria-label') === focused)?.focus();
  }

  function showRow(id) {
    const old = list.querySelector(`li[data-id="${id}"]`);
    if (old && channels.has(id)) keepingFocus(() => old.replaceWith(rowOf(channels.get(id))));
  }

  function tick(channel, ticked) {
    if (!ticked) chosen.delete(channel.id);
    else {
      // Shown as it is now, then as the channel itself answers.
      chosen.set(channel.id, { state: liveState(channel), following: true });
      send({ type: 'get', id: channel.id });
    }
    showRow(channel.id);
    showChosen(ticked);
  }

  function showAll() {
    keepingFocus(() => list.replaceChildren(...[...channels.values()].map(rowOf)));
  }

  return {
    // The step opened afresh, with these members ticked in their stored states.
    start(members) {
      chosen = new Map();
      for (const member of members) {
        const channel = channels.get(member.id);
        if (channel) chosen.set(member.id, { state: keptState(channel, member.state), following: false });
      }
      showAll();
      showChosen(false);
    },
    takeChannels(all) {
      channels = new Map(all.map((channel) => [channel.id, channel]));
      for (const id of chosen.keys()) if (!channels.has(id)) chosen.delete(id);
      for (const channel of all) this.takeState(channel, false);
      showAll();
      showChosen(false);
    },
    // A channel's present state: shown by a ticked channel that has no chosen state.
    takeState(channel, show = true) {
      channels.set(channel.id, channel);
      const member = chosen.get(channel.id);
      if (!member?.following || member.state === liveState(channel)) return;
      member.state = liveState(channel);
      if (show) showRow(channel.id);
    },
    // A command that did not happen: the channel's present state again.
    controlFailed(id) {
      const member = chosen.get(id);
      if (!member) return;
      member.following = true;
      this.takeState(channels.get(id));
    },
    count: () => chosen.size,
    members: () => [...chosen].map(([id, member]) => memberOf(channels.get(id), member.state)),
  };
}

export function scenarioEditing({ texts, fill, send, press, dim, showView, tellError, ask, waitingDone, limitName,
  nameRefused }) {
  const form = document.getElementById('scenario-form');
  const nameField = document.getElementById('scenario-name');
  const icons = form.querySelector('.icons');
  const selection = selectionStep({ texts, fill, send, press, dim });
  let editing = null; // the number of the scenario being changed; '' for a new one
  let revision = ''; // of the scenario being changed, as the page was told it
  let builtIn = false; // All On or All Off: its name and picture alone
  let channelCount = 0;
  let userScenarios = 0;
  limitName(nameField);

  // The photo choice: shown once there is a photo (the scenario's, or one just sent).
  const photoChoice = document.createElement('label');
  photoChoice.className = 'icon photo-choice';
  photoChoice.hidden = true;
  const photoRadio = document.createElement('input');
  photoRadio.type = 'radio';
  photoRadio.name = 'icon';
  photoRadio.setAttribute('aria-label', texts.takePhoto);
  const photoShown = document.createElement('img');
  photoShown.alt = '';
  photoChoice.append(photoShown, photoRadio);

  function showPhoto(name, source) {
    photoChoice.hidden = !name;
    photoRadio.value = name ?? '';
    if (name) photoShown.src = source;
  }

  for (let n = 0; n < iconCount; n += 1) {
    const label = document.createElement('label');
    label.className = `icon icon-${n}`;
    const choice = document.createElement('input');
    choice.type = 'radio';
    choice.name = 'icon';
    choice.value = iconName(n);
    choice.setAttribute('aria-label', fill(texts.iconNamed, n + 1));
    label.append(choice);
    icons.append(label);
  }
  icons.append(photoChoice);

  const takePhoto = async (photoInput) => {
    const file = photoInput.files[0];
    photoInput.value = '';
    if (!file) return;
    const answer = await uploadPhoto('/picture', file, texts);
    if (answer.refused) {
      tellError(answer.refused);
      return;
    }
    const reader = new FileReader();
    reader.addEventListener('load', () => {
      showPhoto(answer.picture, reader.result);
      photoRadio.checked = true;
    });
    reader.readAsDataURL(file);
  };
  for (const input of ['scenario-photo', 'scenario-camera'].map((id) => document.getElementById(id))) {
    input.addEventListener('change', () => takePhoto(input));
  }

  // Each step from its top, as a screen of its own.
  function showSelection() {
    showView('scenario-choose');
    window.scrollTo(0, 0);
    document.getElementById('choose-title').focus();
  }

  function showNaming() {
    showView('scenario-editor');
    window.scrollTo(0, 0);
    nameField.focus();
  }

  // A user scenario starts at its devices; All On and All Off at their name.
  function open(scenario) {
    editing = scenario?.number ?? '';
    revision = scenario?.revision ?? '';
    builtIn = Boolean(scenario) && !scenario.user;
    // The app names a scenario made or changed "Setting Name", and one renamed from the list "Change Name".
    document.getElementById('editor-title').textContent = builtIn ? texts.changeName : texts.settingName;
    nameField.value = scenario?.name ?? '';
    const photo = isPhoto(scenario?.image) ? scenario.image : null;
    showPhoto(photo, `/picture/${photo}`);
    if (photo) photoRadio.checked = true;
    else icons.querySelectorAll('input')[iconNumber(scenario?.image)].checked = true;
    if (builtIn) return showNaming();
    selection.start(scenario?.members ?? []);
    return showSelection();
  }

  document.getElementById('choose-back').addEventListener('click', () => showView('scenarios'));
  document.getElementById('choose-next').addEventListener('click', () => {
    if (!selection.count()) tellError(texts.noMembers);
    else showNaming();
  });
  document.getElementById('editor-back').addEventListener('click', () => (builtIn ? showView('scenarios') : showSelection()));

  // The naming step stays, with all that was chosen and typed, until the
  // home has taken the scenario: a refusal leaves it to be put right.
  const saving = waitingDone(form.querySelector('button[type="submit"]'));
  form.addEventListener('submit', (event) => {
    event.preventDefault();
    if (saving.waiting()) return undefined; // one save at a time
    if (!nameField.value) return tellError(texts.nameEmpty);
    if (nameRefused(nameField.value)) return undefined;
    const image = form.querySelector('input[name="icon"]:checked')?.value ?? iconName(iconCount - 1);
    const request = builtIn ? { type: 'nameScenario', number: editing, name: nameField.value, image }
      : { type: 'saveScenario', number: editing, name: nameField.value, image, members: selection.members() };
    // A scenario changed on another device since is not overwritten: the bridge refuses.
    if (editing && !builtIn) request.revision = revision;
    saving.start(send(request));
    return undefined;
  });
  // As the app's add button: the limit is told before anything is chosen, and
  // a home without devices goes to adding one.
  document.getElementById('add-scenario').addEventListener('click', () => {
    if (userScenarios >= maxUserScenarios) tellError(texts.maxScenarios);
    else if (!channelCount) document.getElementById('open-enrol').click();
    else open(null);
  });

  return {
    // The end of this page's save, naming or deletion; only a save waited on moves on.
    ended(message) {
      if (!saving.end()) return;
      if (message.done && !document.getElementById('scenario-editor').hidden) showView('scenarios');
    },
    takeChannels(all) {
      channelCount = all.length;
      selection.takeChannels(all);
    },
    takeState: (channel) => selection.takeState(channel),
    controlFailed: (id) => selection.controlFailed(id),
    takeScenarios(all) {
      userScenarios = all.filter((scenario) => scenario.user).length;
    },
    edit: open,
    // Asked first: a deleted scenario is gone from the transmitters too.
    remove: (scenario, name) => ask(fill(texts.removeNamed, name), [texts.cancel, texts.remove], (index) => {
      if (index === 1) send({ type: 'deleteScenario', number: scenario.number, revision: scenario.revision });
    }),
  };
}
