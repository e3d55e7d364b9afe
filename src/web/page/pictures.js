// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures the home itself shows: a unit's framed tile and a scenario's
// icon disc or photo. Kept apart from the screens that also use them, so
// that the home needs none of those to show.

// A unit's picture as the app draws it: a white tile framed in the colour of
// its kind (switch, dimmer, curtain, master or other transmitter).
export function devicePicture(kind) {
  const picture = document.createElement('span');
  picture.className = `device-picture ${kind}`;
  picture.setAttribute('aria-hidden', 'true');
  return picture;
}

export const iconCount = 10;
export const iconName = (n) => `icon_choose_small_${n}.png`;
// The icon's number in a stored picture name (the last when it names none).
export const iconNumber = (image) => Number(/^icon_choose_small_(\d)\.png$/.exec(image ?? '')?.[1] ?? iconCount - 1);
// A stored photo's name (an icon's name or nothing otherwise).
export const isPhoto = (image) => /^[\w-]+\.png$/.test(image ?? '') && !/^icon_choose_small_/.test(image);

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
