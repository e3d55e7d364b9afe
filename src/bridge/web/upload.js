// SPDX-License-Identifier: GPL-3.0-or-later
// An owner's photo sent to the bridge, which checks it again (at most 8 MB,
// a JPEG, PNG or WebP that decodes): the bridge's answer, or the page's text
// for why it was refused (also when other photos are being sent: "uploadBusy",
// or when it is too large to be taken at all: "tooLarge").

const maxPhotoBytes = 8 * 1024 * 1024;

export async function uploadPhoto(path, file, texts) {
  if (file.size > maxPhotoBytes) return { refused: texts.photoTooLarge };
  try {
    const answer = await (await fetch(path, { method: 'POST', body: file, credentials: 'same-origin' })).json();
    if (answer.error) return { refused: texts[answer.error] ?? texts.notAnImage };
    return answer;
  } catch {
    return { refused: texts.notConnected };
  }
}
