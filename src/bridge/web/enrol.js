// SPDX-License-Identifier: GPL-3.0-or-later
// The owner's enrolment, as the app's scanner and enrolment screens go: a
// unit's code (typed here) is decoded by the bridge with the app's decoder;
// a controller's channels are then named page by page and connected; the
// outcome reads as the app's ("Connection successful", "Added N Device"
// with "Retry").

import { uploadPhoto } from './upload.js';

export function enrolment({ texts, send, button, showView, tell }) {
  const codeForm = document.getElementById('enrol-code');
  const namesForm = document.getElementById('enrol-names');
  const pages = document.getElementById('enrol-pages');
  const actions = document.getElementById('enrol-actions');
  let decoded = null;
  let page = 0;

  function names() {
    return [...pages.querySelectorAll('input')].map((field) => field.value);
  }

  function showPage(shown) {
    page = shown;
    [...pages.children].forEach((channelPage, index) => { channelPage.hidden = index !== shown; });
    const count = pages.children.length;
    const controls = [];
    if (count > 1) {
      const indicator = document.createElement('span');
      indicator.className = 'page-indicator';
      indicator.textContent = `${shown + 1} / ${count}`;
      controls.push(indicator);
      if (shown > 0) controls.push(button(texts.back, '', () => showPage(shown - 1)));
      if (shown < count - 1) controls.push(button(texts.next, '', () => showPage(shown + 1)));
    }
    const connect = button(texts.connect, '', () => {});
    connect.type = 'submit';
    actions.replaceChildren(...controls, connect);
    pages.children[shown]?.querySelector('input')?.focus();
  }

  function channelPage(channel, index) {
    const box = document.createElement('div');
    box.className = 'channel-page';
    const label = document.createElement('label');
    label.htmlFor = `enrol-name-${index}`;
    label.textContent = channel.defaultName;
    const field = document.createElement('input');
    field.id = `enrol-name-${index}`;
    field.maxLength = 20;
    field.autocomplete = 'off';
    field.placeholder = texts.nameEmpty;
    box.append(label, field);
    return box;
  }

  function start() {
    decoded = null;
    codeForm.hidden = false;
    namesForm.hidden = true;
    document.getElementById('enrol-id').value = '';
    showView('enrol');
    document.getElementById('enrol-id').focus();
  }

  function takeDecoded(message) {
    decoded = message;
    codeForm.hidden = true;
    namesForm.hidden = false;
    document.getElementById('enrol-summary').textContent = message.summary;
    if (message.stored) tell('error', texts.deviceAdded);
    pages.replaceChildren(...message.channels.map(channelPage));
    showPage(0);
  }

  function finished(message) {
    if (message.added === message.of) {
      tell('notice', texts.connected);
      for (const field of pages.querySelectorAll('input')) field.readOnly = true;
      actions.replaceChildren(button(texts.addMore, '', start), button(texts.done, '', () => showView('devices')));
      return;
    }
    tell('error', `${texts.added} ${message.added} ${texts.deviceWord}`);
    const retry = button(texts.retry, '', () => {});
    retry.type = 'submit';
    actions.replaceChildren(retry);
  }

  codeForm.addEventListener('submit', (event) => {
    event.preventDefault();
    send({ type: 'decode', code: document.getElementById('enrol-id').value });
  });
  namesForm.addEventListener('submit', (event) => {
    event.preventDefault();
    if (decoded) send({ type: 'enrol', id: decoded.id, names: names() });
  });
  document.getElementById('open-enrol').addEventListener('click', start);
  // A photo of the printed code: the bridge reads it, then it is decoded as a typed one.
  const photo = document.getElementById('enrol-photo');
  photo.addEventListener('change', async () => {
    const file = photo.files[0];
    photo.value = '';
    if (!file) return;
    const answer = await uploadPhoto('/photo', file, texts);
    if (answer.refused) tell('error', answer.refused);
    else send({ type: 'decode', code: answer.code });
  });

  return {
    receive(message) {
      if (message.type === 'decoded') takeDecoded(message);
      else if (message.type === 'enrolled') finished(message);
    },
  };
}
