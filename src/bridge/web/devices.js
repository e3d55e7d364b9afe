// SPDX-License-Identifier: GPL-3.0-or-later
// The owner's device management: the transmitters, lights and curtains of
// the home, each renamed, removed or shown with the QR code of its ID. The
// list shows what the bridge last said; a removal shows when the home has
// confirmed it. A question the home raises (remove a silent controller by
// force?) is put as the app puts it, with the app's buttons.

export function deviceManagement({ texts, send, button, showView, tellError }) {
  const section = document.getElementById('devices');
  const groups = Object.fromEntries([...section.querySelectorAll('ul[data-group]')]
    .map((list) => [list.dataset.group, list]));
  const renameDialog = document.getElementById('rename');
  const renameField = document.getElementById('rename-name');
  const questionDialog = document.getElementById('question');
  let channels = [];
  let transmitters = [];
  let renaming = null;

  // A question with its buttons; the index of the one chosen goes to answer.
  function ask(message, buttons, answer) {
    document.getElementById('question-text').textContent = message;
    const actions = questionDialog.querySelector('.actions');
    actions.replaceChildren(...buttons.map((label, index) => button(label, '', () => {
      questionDialog.close();
      answer(index);
    })));
    questionDialog.showModal();
  }

  function rename(unit) {
    renaming = unit.id;
    renameField.value = unit.name;
    renameDialog.showModal();
  }

  function remove(unit) {
    if (unit.master) {
      // Every command goes through the master: the app asks first, and so does the page.
      ask(texts.removeMaster, [texts.cancel, texts.remove], (index) => {
        if (index === 1) send({ type: 'remove', id: unit.id });
      });
      return;
    }
    send({ type: 'remove', id: unit.id });
  }

  function rowOf(unit) {
    const row = document.createElement('li');
    row.className = 'unit';
    row.dataset.id = unit.id;
    const open = button(unit.name || unit.id, `${texts.deviceDetail} ${unit.name || unit.id}`,
      () => send({ type: 'detail', id: unit.id }));
    open.className = 'name';
    row.append(open,
      button(texts.edit, `${texts.edit} ${unit.name}`, () => rename(unit)),
      button(texts.delete, `${texts.delete} ${unit.name}`, () => remove(unit)));
    return row;
  }

  function render() {
    groups.transmitters.replaceChildren(...transmitters.map(rowOf));
    groups.lights.replaceChildren(...channels.filter((c) => c.kind !== 'curtain').map(rowOf));
    groups.curtains.replaceChildren(...channels.filter((c) => c.kind === 'curtain').map(rowOf));
  }

  function showDetail(message) {
    const code = document.getElementById('detail-code');
    code.src = `data:image/svg+xml;charset=utf-8,${encodeURIComponent(message.qr)}`;
    code.alt = `${texts.idLabel}:${message.id}`;
    document.getElementById('detail-text').textContent =
      `${texts.idLabel}:${message.id}\n${texts.nameLabel}:${message.name}`;
    showView('detail');
    document.getElementById('detail-back').focus();
  }

  renameDialog.querySelector('form').addEventListener('submit', (event) => {
    const name = renameField.value;
    if (!name) {
      event.preventDefault(); // the dialog stays, as the app's naming screen does
      tellError(texts.nameEmpty);
      return;
    }
    send({ type: 'rename', id: renaming, name });
  });
  document.getElementById('rename-cancel').addEventListener('click', () => renameDialog.close());
  document.getElementById('detail-back').addEventListener('click', () => showView('devices'));
  // The list shows the transmitters as the bridge has them now.
  function open() {
    send({ type: 'transmitters' });
    showView('devices');
  }
  document.getElementById('open-devices').addEventListener('click', open);

  return {
    open,
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
