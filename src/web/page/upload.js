// SPDX-License-Identifier: GPL-3.0-or-later
// An owner's file sent to the bridge, which checks it again: the bridge's
// answer, or the page's text for why it was refused (also when other uploads
// are being read: "uploadBusy", or when it is too large to be taken at all:
// "tooLarge"), with the bridge's reason when it gives one. At most 8 MB: a
// photo, or a backup of the home.

const maxUploadBytes = 8 * 1024 * 1024;

export async function uploadFile(path, file, texts, { tooLarge, refused }) {
  if (file.size > maxUploadBytes) return { refused: tooLarge };
  try {
    const answer = await (await fetch(path, { method: 'POST', body: file, credentials: 'same-origin' })).json();
    if (answer.error) return { refused: texts[answer.error] ?? refused, reason: answer.reason };
    return answer;
  } catch {
    return { refused: texts.notConnected };
  }
}

// A photo: a JPEG, PNG or WebP that decodes.
export const uploadPhoto = (path, file, texts) => uploadFile(path, file, texts,
  { tooLarge: texts.photoTooLarge, refused: texts.notAnImage });
