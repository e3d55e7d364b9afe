// SPDX-License-Identifier: GPL-3.0-or-later
// The owner's device management: the transmitters, lights and curtains of
// the home, each renamed, removed or shown with the QR code of its ID. The
// list shows what the bridge last said; a removal shows when the home has
// confirmed it. As in the app, a row's Edit and Delete show only after a
// swipe across it (or its own button, for a keyboard or a screen reader),
// one row at a time; a removal is asked first. A question the home raises
// (remove a silent controller by force?) is put as the app puts it, with the
// app's buttons.

import { devicePicture } from './pictures.js';

export function deviceManagement({ texts, fill, send, button, showView, tellError, ask, noDevicesRow, swipeRows,
  waitingDone, limitName, nameRefused }) {
  const section = document.getElementById('devices');
  const groups = Object.fromEntries([...section.querySelectorAll('ul[data-group]')]
    .map((list) => [list.dataset.group, list]));
  const renameDialog = document.getElementById('rename');
  const renameField = document.getElementById('rename-name');
  let channels = [];
  let transmitters = [];
  let renaming = null;
  const rows = swipeRows(); // one row of every group open at a time
  limitName(renameField);

  // A unit's kind as its picture draws it.
  const pictureKind = (unit) => unit.kind ?? (unit.master ? 'master' : 'transmitter');

  function rename(unit) {
    renaming = unit.id;
    document.getElementById('rename-picture').replaceChildren(devicePicture(pictureKind(unit)));
    renameField.value = unit.name;
    renameDialog.showModal();
  }

  function remove(unit) {
    // Every command goes through the master: removing it says what that means.
    const question = unit.master ? texts.removeMaster : fill(texts.removeNamed, unit.name || unit.id);
    ask(question, [texts.cancel, texts.remove], (index) => {
      if (index === 1) send({ type: 'remove', id: unit.id });
    });
  }

  function rowOf(unit) {
    const row = document.createElement('li');
    row.className = 'unit';
    row.dataset.id = unit.id;
    const name = unit.name || unit.id;
    // A press on a row whose Edit and Delete show only hides them, as in the app.
    const open = button(name, `${texts.deviceDetail} ${name}`, () => {
      if (rows.isOpen(unit.id)) rows.hide(row, unit.id);
      else send({ type: 'detail', id: unit.id });
    });
    open.className = 'name';
    row.append(devicePicture(pictureKind(unit)), open);
    rows.add(row, unit.id, name, [button(texts.edit, `${texts.edit} ${name}`, () => {
      rows.hide(row, unit.id);
      rename(unit);
    }), button(texts.delete, `${texts.delete} ${name}`, () => remove(unit))]);
    return row;
  }

  function render() {
    groups.transmitters.replaceChildren(...transmitters.map(rowOf));
    groups.lights.replaceChildren(...channels.filter((c) => c.kind !== 'curtain').map(rowOf));
    groups.curtains.replaceChildren(...channels.filter((c) => c.kind === 'curtain').map(rowOf));
    // A home with no channel yet: the list says so, under its lights.
    if (!channels.length) groups.lights.append(noDevicesRow());
  }

  function showDetail(message) {
    const code = document.getElementById('detail-code');
    code.src = `data:image/svg+xml;charset=utf-8,${encodeURIComponent(message.qr)}`;
    code.alt = `${texts.idLabel}:${message.id}`;
    document.getElementById('detail-text').textContent =
      `${texts.idLabel}:${message.id}\n${texts.nameLabel}:${message.name}`;
    showView('detail');
  }

  // The dialog stays, with the typed name, until the home has taken it, as the
  // app's naming screen does: a refusal, or a master that does not answer, is
  // shown in it and leaves the name to be put right.
  const renameDone = waitingDone(renameDialog.querySelector('button[type="submit"]'));
  renameDialog.querySelector('form').addEventListener('submit', (event) => {
    event.preventDefault();
    const name = renameField.value;
    if (renameDone.waiting() || nameRefused(name)) return;
    if (!name) {
      tellError(texts.nameEmpty);
      return;
    }
    renameDone.start(send({ type: 'rename', id: renaming, name }));
  });
  renameDialog.addEventListener('close', () => {
    renameDone.end();
    // The Edit that opened the dialog went with its row's panel: the row's ⋯ takes the focus back.
    const focused = document.activeElement;
    if (focused && focused !== document.body && !renameDialog.contains(focused)) return;
    const id = CSS.escape(renaming);
    [...document.querySelectorAll(`#channel-${id} > .more, #devices li[data-id="${id}"] > .more`)]
      .find((more) => more.checkVisibility())?.focus();
  });
  document.getElementById('rename-cancel').addEventListener('click', () => renameDialog.close());
  // The list shows the transmitters as the bridge has them now.
  function open() {
    send({ type: 'transmitters' });
    showView('devices');
  }
  document.getElementById('open-devices').addEventListener('click', open);
  // A group's heading folds it away and back, as the app's section headers do.
  for (const heading of section.querySelectorAll('button.section')) {
    heading.addEventListener('click', () => {
      const folded = heading.getAttribute('aria-expanded') === 'true';
      heading.setAttribute('aria-expanded', String(!folded));
      document.getElementById(heading.getAttribute('aria-controls')).hidden = folded;
    });
  }

  return {
    open,
    rename,
    remove,
    // The end of this page's rename: the dialog closes once the name is the home's.
    renamed(message) {
      if (renameDone.end() && message.done) renameDialog.close();
    },
    takeHome(home) {
      channels = home.channels;
      render();
      // A new home (an import after a transmitter joined, a removal) may have other transmitters.
      if (!section.hidden) send({ type: 'transmitters' });
    },
    receive(message) {
      if (message.type === 'transmitters') {
        transmitters = message.transmitters;
        render();
      } else if (message.type === 'detail') {
        showDetail(message);
      } else if (message.type === 'question') {
        ask(message.message, message.buttons,
          (index) => send({ type: 'answer', question: message.question, button: index }));
      }
    },
  };
}
