// SPDX-License-Identifier: GPL-3.0-or-later
// The home tiles' quick control, as the app's home screen has it: under each
// tile a hidden panel with the three items of its kind used most (ties in
// the home's order), opened by a downward swipe over the tile or by its pull
// handle (a button, for a keyboard or a screen reader), closed by an upward
// swipe or the handle. An item opens the control sheet: ON and OFF for a
// switch, a level for a dimmer, open, close and stop for a curtain, Enable
// for a scenario. Its commands are the page's own presses, so the state shown
// is the one the home confirmed; Cancel or the dimmed background sends nothing.

import { devicePicture, scenarioPicture } from './pictures.js';

// How far a pointer must travel up or down over a tile to be a swipe.
const swipeDistance = 40;
const shownItems = 3;

// The first few of a list (all by default), most used first; equal counts keep their order.
export function mostUsed(list, count = list.length) {
  return list.map((item, order) => ({ item, order }))
    .sort((a, b) => (b.item.uses ?? 0) - (a.item.uses ?? 0) || a.order - b.order)
    .slice(0, count)
    .map(({ item }) => item);
}

export function quickControl({ texts, fill, press, dim, runScenario, stateText }) {
  const areas = [
    { view: 'lights', kind: 'light' },
    { view: 'curtains', kind: 'curtain' },
    { view: 'scenarios', kind: 'scenario' },
  ];
  let channels = [];
  let scenarios = [];
  const sheet = buildSheet();
  let sheetItem = null; // { id } of the item the sheet is open for

  function image(source, className) {
    const picture = document.createElement('img');
    picture.src = source;
    picture.alt = '';
    picture.className = className;
    return picture;
  }

  function element(tag, className, text) {
    const made = document.createElement(tag);
    if (className) made.className = className;
    if (text !== undefined) made.textContent = text;
    return made;
  }

  // One hint for the row of tiles, on a line of its own beneath them (the
  // app's, under each full-width tile's title, would take three lines in a
  // third of a phone); it shows while every panel is closed.
  const hint = element('p', 'quick-hint', texts.dragDown);
  hint.id = 'quick-hint';

  // Each tile in a column of its own, with its panel and handle beneath.
  for (const area of areas) {
    const tile = document.querySelector(`.tile[data-view="${area.view}"]`);
    if (!tile) continue;
    const column = element('div', `quick ${tile.classList[1] ?? ''}`);
    column.setAttribute('role', 'group');
    column.setAttribute('aria-label', tile.textContent.trim());
    tile.replaceWith(column);
    const panel = element('div', 'quick-panel');
    panel.id = `quick-${area.view}`;
    panel.hidden = true;
    const items = element('ul', 'quick-items');
    const all = element('button', 'quick-all', texts.all);
    all.type = 'button';
    all.addEventListener('click', () => tile.click());
    panel.append(items, all);
    const handle = element('button', 'quick-handle');
    handle.type = 'button';
    handle.setAttribute('aria-label', texts.quickControl);
    handle.setAttribute('aria-expanded', 'false');
    handle.setAttribute('aria-controls', panel.id);
    handle.addEventListener('click', () => setOpen(area, panel.hidden));
    tile.setAttribute('aria-describedby', hint.id);
    column.append(tile, panel, handle);
    Object.assign(area, { column, tile, panel, items, handle });
    followSwipes(area);
  }
  const shown = areas.filter((area) => area.column);
  shown[0]?.column.parentElement.append(hint);

  function setOpen(area, open) {
    // Rebuilt as it opens, as the app's panels are: the newest order and states.
    if (open) refill(area);
    area.panel.hidden = !open;
    hint.hidden = shown.some((each) => !each.panel.hidden);
    area.column.classList.toggle('open', open);
    area.handle.setAttribute('aria-expanded', String(open));
  }

  // A pointer moving down over the tile opens its panel, up over the tile or
  // the panel closes it (let go wherever it ends); the press that ends a
  // swipe touches nothing.
  function followSwipes(area) {
    let swiped = false;
    area.column.addEventListener('pointerdown', (down) => {
      if (down.target === area.handle || !down.isPrimary) return;
      const ended = (up) => {
        if (up.pointerId !== down.pointerId) return;
        removeEventListener('pointerup', ended, true);
        removeEventListener('pointercancel', ended, true);
        const moved = up.clientY - down.clientY;
        if (up.type !== 'pointerup' || Math.abs(moved) <= swipeDistance
          || Math.abs(moved) < Math.abs(up.clientX - down.clientX)) return;
        swiped = true;
        setTimeout(() => { swiped = false; });
        setOpen(area, moved > 0);
      };
      addEventListener('pointerup', ended, true);
      addEventListener('pointercancel', ended, true);
    });
    area.column.addEventListener('click', (event) => {
      if (!swiped) return;
      swiped = false;
      event.stopPropagation();
      event.preventDefault();
    }, true);
  }

  function listOf(area) {
    if (area.kind === 'scenario') return scenarios;
    return channels.filter((channel) => (channel.kind === 'curtain') === (area.kind === 'curtain'));
  }

  function itemButton(area, item) {
    const entry = element('li');
    const touch = element('button', 'quick-item');
    touch.type = 'button';
    // A light or curtain as the app draws it: its picture in its kind's frame.
    const picture = area.kind === 'scenario' ? scenarioPicture(item.image) : devicePicture(item.kind);
    const name = element('span', 'quick-name', item.name);
    touch.append(picture, name);
    if (area.kind === 'light') {
      const state = element('span', 'quick-state', stateText(item));
      touch.append(state);
      touch.setAttribute('aria-label', `${item.name}: ${stateText(item)}`);
    }
    touch.dataset.id = item.id ?? item.number;
    touch.setAttribute('aria-haspopup', 'dialog');
    touch.addEventListener('click', () => openSheet(area, item));
    entry.append(touch);
    return entry;
  }

  // Drawn anew with the newest order and states; a focused item keeps the focus.
  function refill(area) {
    const focused = area.items.contains(document.activeElement) ? document.activeElement.dataset.id : null;
    area.items.replaceChildren(...mostUsed(listOf(area), shownItems).map((item) => itemButton(area, item)));
    if (focused !== null) [...area.items.querySelectorAll('.quick-item')].find((item) => item.dataset.id === focused)?.focus();
  }

  // The sheet: the item's picture and name over the dimmed page, the panel
  // with the item's controls and Cancel at the bottom.
  function buildSheet() {
    const dialog = element('dialog');
    dialog.id = 'quick-sheet';
    dialog.setAttribute('aria-labelledby', 'quick-sheet-name');
    const top = element('div', 'quick-sheet-top');
    const picture = element('div', 'quick-sheet-picture');
    const name = element('h2', 'quick-sheet-name');
    name.id = 'quick-sheet-name';
    top.append(picture, name);
    const panel = element('div', 'quick-sheet-panel');
    const controls = element('div', 'quick-sheet-controls');
    const cancel = element('button', 'quick-cancel', texts.cancel);
    cancel.type = 'button';
    cancel.addEventListener('click', () => dialog.close());
    panel.append(controls, cancel);
    dialog.append(top, panel);
    // A touch on the dimmed part (not on the panel) closes it, as Cancel does.
    dialog.addEventListener('click', (event) => {
      if (!panel.contains(event.target)) dialog.close();
    });
    // The item touched may have been drawn anew meanwhile (its state changed): the focus goes back to it.
    dialog.addEventListener('close', () => {
      const { id } = sheetItem ?? {};
      sheetItem = null;
      if (document.activeElement !== document.body || id === undefined) return;
      [...document.querySelectorAll('.quick-panel:not([hidden]) .quick-item')]
        .find((item) => item.dataset.id === id)?.focus();
    });
    document.body.append(dialog);
    return { dialog, picture, name, controls };
  }

  function sheetButton(label, onClick, icon) {
    const made = element('button');
    made.type = 'button';
    if (icon) made.append(image(icon, 'quick-icon'));
    made.append(label);
    made.addEventListener('click', () => {
      onClick();
      sheet.dialog.close();
    });
    return made;
  }

  function openSheet(area, item) {
    const { controls } = sheet;
    const disc = area.kind === 'scenario' ? scenarioPicture(item.image) : devicePicture(item.kind);
    sheet.picture.className = `quick-sheet-picture ${area.tile.classList[1] ?? ''}`;
    sheet.picture.replaceChildren(disc);
    sheet.name.textContent = item.name;
    controls.replaceChildren();
    if (area.kind === 'scenario') {
      controls.append(sheetButton(texts.enable, () => runScenario(item.number)));
    } else if (item.kind === 'curtain') {
      for (const [word, label, icon] of [['OPEN', texts.open, 'curtain_open'],
        ['CLOSE', texts.close, 'curtain_close'], ['STOP', texts.stop, 'curtain_stop']])
        controls.append(sheetButton(label, () => press(item.id, { state: word }), `/icons/${icon}.svg`));
    } else if (item.kind === 'dimmer') {
      // Each level let go of goes out (the newest only, while one is on its way); the sheet stays.
      const level = element('input');
      level.type = 'range';
      level.min = 0;
      level.max = 100;
      level.value = item.state === 'ON' ? item.brightness ?? 0 : 0;
      level.setAttribute('aria-label', fill(texts.brightnessNamed, item.name));
      level.addEventListener('change', () => dim(item.id, Number(level.value)));
      controls.append(level);
    } else {
      controls.append(sheetButton(texts.on, () => press(item.id, { state: 'ON' })),
        sheetButton(texts.off, () => press(item.id, { state: 'OFF' })));
    }
    sheetItem = { id: item.id ?? item.number };
    sheet.dialog.showModal();
    controls.querySelector('button, input')?.focus();
  }

  const closeAll = () => shown.forEach((area) => setOpen(area, false));
  // The page's menu is its footer: opening any of it closes every panel.
  document.querySelector('footer')?.addEventListener('click', closeAll);

  function refreshOpen(kind) {
    for (const area of shown) if (!area.panel.hidden && (!kind || area.kind === kind)) refill(area);
  }

  // A sheet whose item left the home (a wipe, an import, a removal) has nothing left to control.
  function closeSheetIfGone() {
    const present = [...channels.map((channel) => channel.id), ...scenarios.map((scenario) => scenario.number)];
    if (sheetItem && !present.includes(sheetItem.id)) sheet.dialog.close();
  }

  return {
    takeHome(home) {
      channels = home.channels.map((channel) => ({ ...channel }));
      refreshOpen();
      closeSheetIfGone();
    },
    takeScenarios(named) {
      scenarios = named;
      refreshOpen('scenario');
      closeSheetIfGone();
    },
    // A confirmed state: the panel's item and an open dimmer's level follow it.
    show(channel) {
      const index = channels.findIndex((known) => known.id === channel.id);
      if (index < 0) return;
      channels[index] = { ...channels[index], ...channel };
      refreshOpen(channel.kind === 'curtain' ? 'curtain' : 'light');
    },
    takeUses({ id, uses }) {
      const known = channels.find((channel) => channel.id === id);
      if (!known) return;
      known.uses = uses;
      refreshOpen(known.kind === 'curtain' ? 'curtain' : 'light');
    },
    closeAll,
  };
}
