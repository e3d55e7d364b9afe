// SPDX-License-Identifier: GPL-3.0-or-later
// The app's welcome pages, shown once, on a phone's first visit: seven pages
// turned by a swipe (or the arrow keys), the page's dot filled beneath; the
// last one starts the app or opens its help.

const pageCount = 7;
// The app's pictures for the screens of 320 by 568 points, and for the others.
const pictureSet = () => (window.screen.width === 320 && window.screen.height === 568 ? 5 : 4);

export function showWelcome({ texts, onHelp, onClosed }) {
  const dialog = document.getElementById('welcome');
  const pages = document.getElementById('welcome-pages');
  const dots = document.getElementById('welcome-dots');
  const set = pictureSet();
  const page = (n) => {
    const item = document.createElement('li');
    item.className = 'welcome-page';
    const picture = document.createElement('img');
    picture.src = `/pictures/welcome_D${set}_${n}.svg`;
    picture.alt = '';
    const title = document.createElement('h2');
    title.textContent = n === 1 ? document.querySelector('h1').textContent : texts[`welcomeTitle${n}`];
    const line = document.createElement('p');
    line.textContent = n === pageCount ? texts.welcomeReminder : texts[`welcomeDetail${n}`];
    item.append(picture, title, line);
    return item;
  };
  const all = Array.from({ length: pageCount }, (_, index) => page(index + 1));
  const start = document.createElement('button');
  start.type = 'button';
  start.className = 'welcome-start';
  start.textContent = texts.welcomeStart;
  start.addEventListener('click', () => dialog.close());
  const help = document.createElement('button');
  help.type = 'button';
  help.className = 'welcome-help';
  help.setAttribute('aria-label', texts.help);
  help.addEventListener('click', () => {
    dialog.close();
    onHelp();
  });
  all[pageCount - 1].append(start, help);
  pages.replaceChildren(...all);
  dots.replaceChildren(...all.map(() => document.createElement('span')));
  const showDot = () => {
    const shown = pages.clientWidth ? Math.round(pages.scrollLeft / pages.clientWidth) : 0;
    [...dots.children].forEach((dot, index) => dot.classList.toggle('shown', index === shown));
  };
  pages.addEventListener('scrollend', showDot);
  dialog.addEventListener('close', onClosed, { once: true });
  dialog.showModal();
  showDot();
}
