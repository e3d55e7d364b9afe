// SPDX-License-Identifier: GPL-3.0-or-later
// The owner's backups of the home: those the bridge keeps, each with its
// date, size and a link to download it; one made now; and the home restored
// from a backup file, asked first. The bridge checks the file whole and
// refuses a damaged one with nothing changed; a restored home makes the
// bridge start again on it, and the page reconnects by itself.
import { uploadFile } from './upload.js';

export function backupManagement({ texts, fill, send, showView, tell, ask }) {
  const list = document.querySelector('#backups .rows');
  const backUp = document.getElementById('back-up');
  const restoreFile = document.getElementById('restore-file');
  const sizeText = (bytes) => (bytes < 1024 * 1024
    ? fill(texts.kilobytes, Math.max(1, Math.round(bytes / 1024)))
    : fill(texts.megabytes, (bytes / (1024 * 1024)).toFixed(1)));

  function row(backup) {
    const item = document.createElement('li');
    item.dataset.name = backup.name;
    const when = document.createElement('span');
    when.className = 'name';
    when.textContent = backup.createdText; // the app's date and time, in the page's language
    const size = document.createElement('span');
    size.className = 'state';
    size.textContent = sizeText(backup.size);
    const download = document.createElement('a');
    download.href = `/backups/${encodeURIComponent(backup.name)}`;
    download.download = backup.name;
    download.textContent = texts.download;
    download.setAttribute('aria-label', fill(texts.downloadNamed, when.textContent));
    item.append(when, size, download);
    return item;
  }

  function emptyRow() {
    const item = document.createElement('li');
    item.className = 'empty';
    item.textContent = texts.noBackups;
    return item;
  }

  function receive(message) {
    backUp.removeAttribute('aria-busy');
    list.replaceChildren(...(message.backups.length ? message.backups.map(row) : [emptyRow()]));
    if (message.made) tell('notice', texts.backupMade);
  }

  backUp.addEventListener('click', () => {
    if (backUp.getAttribute('aria-busy') === 'true') return; // one at a time
    if (send({ type: 'backUp' })) backUp.setAttribute('aria-busy', 'true');
  });

  restoreFile.addEventListener('change', () => {
    const [file] = restoreFile.files;
    restoreFile.value = '';
    if (!file) return;
    ask(fill(texts.restoreQuestion, file.name), [texts.cancel, texts.restore], async (index) => {
      if (index !== 1) return;
      tell('notice', texts.restoring);
      const answer = await uploadFile('/restore', file, texts,
        { tooLarge: texts.backupTooLarge, refused: texts.restoreRefused });
      if (answer.refused) tell('error', answer.reason ? `${answer.refused}: ${answer.reason}` : answer.refused);
      else tell('notice', texts.restored);
    });
  });

  return {
    open() {
      showView('backups');
      send({ type: 'backups' });
    },
    receive,
    // A backup asked for failed: the button may be pressed again.
    failed: () => backUp.removeAttribute('aria-busy'),
  };
}
