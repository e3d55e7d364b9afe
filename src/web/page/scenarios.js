// SPDX-License-Identifier: GPL-3.0-or-later
// The owner's scenarios: made, changed and deleted as the app's scenario
// screens do it. The editor lists every channel with the state it is to
// keep (switches on or off, dimmers by level, curtains open or closed), a
// name and one of the app's ten icons or a photo from the phone (sent to the
// bridge first, which holds it until the scenario is saved); the home stores
// the scenario when the master has acknowledged it, and the list shows it then.

import { uploadPhoto } from './upload.js';

const iconCount = 10;
export const iconName = (n) => `icon_choose_small_${n}.png`;
// The icon's number in a stored picture name (the last when it names none).
const iconNumber = (image) => Number(/^icon_choose_small_(\d)\.png$/.exec(image ?? '')?.[1] ?? iconCount - 1);
// A stored photo's name (an icon's name or nothing otherwise).
const isPhoto = (image) => /^[\w-]+\.png$/.test(image ?? '') && !/^icon_choose_small_/.test(image);

// A scenario's picture: its photo (fetched when shown) or its icon's disc.
export function scenarioPicture(image) {
  if (isPhoto(image)) {
    const photo = document.createElement('img');
    photo.className = 'picture';
    photo.src = `/picture/${image}`;
    photo.alt = '';
    photo.loading = 'lazy';
    return photo;
  }
  const disc = document.createElement('span');
  disc.className = `picture icon-${iconNumber(image)}`;
  return disc;
}

// The most scenarios of the user's own the home keeps.
const maxUserScenarios = 8;

export function scenarioEditing({ texts, fill, send, showView, tellError, ask, limitName, nameTooLong }) {
  const form = document.getElementById('scenario-form');
  const nameField = document.getElementById('scenario-name');
  const membersField = form.querySelector('.members');
  const members = membersField.querySelector('ul');
  const icons = form.querySelector('.icons');
  let editing = null; // the number of the scenario being changed; '' for a new one
  let revision = ''; // of the scenario being changed, as the page was told it
  let builtIn = false; // All On or All Off: its name and picture alone
  let channels = [];
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

  const photoInput = document.getElementById('scenario-photo');
  photoInput.addEventListener('change', async () => {
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
  });

  // A member's state control, set to the state it keeps ("YES"/"NO" or a level).
  function stateControl(channel, kept) {
    if (channel.kind === 'dimmer') {
      const level = document.createElement('input');
      level.type = 'range';
      level.min = 0;
      level.max = 100;
      level.value = kept ?? 100;
      level.setAttribute('aria-label', fill(texts.brightnessNamed, channel.name));
      return level;
    }
    const select = document.createElement('select');
    select.setAttribute('aria-label', channel.name);
    const words = channel.kind === 'curtain' ? [['OPEN', texts.open], ['CLOSE', texts.close]]
      : [['ON', texts.on], ['OFF', texts.off]];
    for (const [value, label] of words) select.append(new Option(label, value));
    select.value = kept === 'NO' ? words[1][0] : words[0][0];
    return select;
  }

  function memberRow(channel, kept) {
    const row = document.createElement('li');
    row.dataset.id = channel.id;
    const include = document.createElement('input');
    include.type = 'checkbox';
    include.checked = kept !== undefined;
    include.id = `include-${channel.id}`;
    const label = document.createElement('label');
    label.htmlFor = include.id;
    label.className = 'name';
    label.textContent = channel.name;
    include.setAttribute('aria-label', fill(texts.includeNamed, channel.name));
    row.append(include, label, stateControl(channel, kept));
    return row;
  }

  function open(scenario) {
    editing = scenario?.number ?? '';
    revision = scenario?.revision ?? '';
    builtIn = Boolean(scenario) && !scenario.user;
    membersField.hidden = builtIn;
    document.getElementById('editor-title').textContent = scenario ? texts.edit : texts.addScenario;
    nameField.value = scenario?.name ?? '';
    const kept = new Map((scenario?.members ?? []).map((m) => [m.id, m.state]));
    members.replaceChildren(...channels.map((channel) => memberRow(channel, kept.get(channel.id))));
    const photo = isPhoto(scenario?.image) ? scenario.image : null;
    showPhoto(photo, `/picture/${photo}`);
    if (photo) photoRadio.checked = true;
    else icons.querySelectorAll('input')[iconNumber(scenario?.image)].checked = true;
    showView('scenario-editor');
    nameField.focus();
  }

  function memberOf(row) {
    const control = row.querySelector('select, input[type="range"]');
    const channel = channels.find((c) => c.id === row.dataset.id);
    if (channel.kind === 'dimmer') return { id: channel.id, brightness: Number(control.value) };
    return { id: channel.id, state: control.value };
  }

  form.addEventListener('submit', (event) => {
    event.preventDefault();
    const chosen = [...members.querySelectorAll('li')].filter((row) => row.querySelector('input[type="checkbox"]').checked);
    if (!nameField.value) return tellError(texts.nameEmpty);
    if (nameTooLong(nameField.value)) return undefined;
    const image = form.querySelector('input[name="icon"]:checked')?.value ?? iconName(iconCount - 1);
    if (builtIn) {
      if (send({ type: 'nameScenario', number: editing, name: nameField.value, image })) showView('scenarios');
      return undefined;
    }
    if (!chosen.length) return tellError(texts.noMembers);
    const request = {
      type: 'saveScenario',
      number: editing,
      name: nameField.value,
      image,
      members: chosen.map(memberOf),
    };
    // A scenario changed on another device since is not overwritten: the bridge refuses.
    if (editing) request.revision = revision;
    if (send(request)) showView('scenarios');
    return undefined;
  });
  document.getElementById('editor-cancel').addEventListener('click', () => showView('scenarios'));
  // As the app's add button: the limit is told before anything is chosen.
  document.getElementById('add-scenario').addEventListener('click', () => {
    if (userScenarios >= maxUserScenarios) tellError(texts.maxScenarios);
    else open(null);
  });

  return {
    takeChannels(all) {
      channels = all;
    },
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
