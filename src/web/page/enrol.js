// SPDX-License-Identifier: GPL-3.0-or-later
// The owner's enrolment, as the app's scanner and enrolment screens go: a
// unit's code (scanned live, photographed or typed) is decoded by the bridge
// with the app's decoder; a controller's channels are then named page by
// page and connected, a transmitter connected as it is; the outcome reads as
// the app's ("Connection successful", "Added N Device" or "Network connection
// failed", with "Retry").

import { devicePicture } from './pictures.js';
import { uploadPhoto } from './upload.js';

const transmitterKind = 'SuperBox';
// A controller's kind letter as its picture draws it.
const pictureKinds = { S: 'switch', D: 'dimmer', C: 'curtain' };
// The kinds of code the app's scanner reads.
const scannerFormats = ['qr_code', 'ean_13', 'ean_8', 'code_128'];

// The formats the browser can read live, or null when it cannot scan here:
// a secure context, a camera, and a detector that reads at least QR codes.
async function liveScanFormats() {
  if (!window.isSecureContext || !('BarcodeDetector' in window) || !navigator.mediaDevices?.getUserMedia) return null;
  try {
    const supported = await BarcodeDetector.getSupportedFormats();
    if (!supported.includes('qr_code')) return null;
    const devices = await navigator.mediaDevices.enumerateDevices();
    if (!devices.some((device) => device.kind === 'videoinput')) return null;
    return scannerFormats.filter((format) => supported.includes(format));
  } catch {
    return null;
  }
}

export function enrolment({ texts, send, button, showView, tell, limitName, nameRefused }) {
  const section = document.getElementById('enrol');
  const codeForm = document.getElementById('enrol-code');
  const namesForm = document.getElementById('enrol-names');
  const pages = document.getElementById('enrol-pages');
  const actions = document.getElementById('enrol-actions');
  let decoded = null;
  let page = 0;
  const prompt = document.getElementById('enrol-prompt');
  const title = document.getElementById('enrol-title');
  const focusTitle = () => {
    title.tabIndex = -1;
    title.focus({ preventScroll: true });
  };
  // The step's buttons, new: the focus that was on the old ones goes to the first.
  const showActions = (...buttons) => {
    const focused = document.activeElement;
    const moved = !focused || focused === document.body || actions.contains(focused);
    actions.replaceChildren(...buttons);
    if (moved) buttons[0].focus();
  };

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
    // The channel's name field, or for a transmitter (which has none) the step's title.
    const field = pages.children[shown]?.querySelector('input');
    if (field) field.focus();
    else focusTitle();
  }

  function channelPage(kind, channel, index) {
    const box = document.createElement('div');
    box.className = 'channel-page';
    const label = document.createElement('label');
    label.htmlFor = `enrol-name-${index}`;
    label.textContent = channel.defaultName;
    const field = document.createElement('input');
    field.id = `enrol-name-${index}`;
    field.autocomplete = 'off';
    field.value = channel.name; // enrolled before: its name, kept as the app keeps it
    field.placeholder = texts.nameEmpty;
    limitName(field);
    // As the app's naming: the channel's picture beside its field.
    const line = document.createElement('p');
    line.className = 'name-line';
    line.append(devicePicture(kind), field);
    box.append(label, line);
    return box;
  }

  // Live scanning: its module is fetched only when the camera is first asked for.
  const scanButton = document.getElementById('enrol-scan');
  const camera = document.getElementById('enrol-camera');
  let formats = null;
  let stopScanning = null;

  // The app's "Open Flashlight": shown while the camera is open, where it has a light.
  const torchButton = document.getElementById('enrol-torch');
  const joined = document.documentElement.lang.startsWith('zh') ? '' : ' ';
  torchButton.textContent = `${texts.scanOpen}${joined}${texts.flashlight}`;
  let setTorch = null;
  torchButton.addEventListener('click', () => {
    const on = torchButton.getAttribute('aria-pressed') !== 'true';
    torchButton.setAttribute('aria-pressed', String(on));
    setTorch?.(on);
  });

  function endScan() {
    stopScanning?.();
    stopScanning = null;
    camera.hidden = true;
    scanButton.hidden = !formats;
    setTorch = null;
    torchButton.hidden = true;
    torchButton.setAttribute('aria-pressed', 'false');
  }

  // A code scanned, photographed or typed: decoded by the bridge alike.
  function decode(code) {
    endScan();
    send({ type: 'decode', code });
  }

  async function scan() {
    if (stopScanning) return;
    // While the module comes, a second press does nothing and an end is noted.
    const coming = () => {};
    stopScanning = coming;
    let scanLive = null;
    try {
      ({ scanLive } = await import('./scan.js'));
    } catch {
      if (stopScanning === coming) {
        endScan();
        tell('error', texts.notConnected);
      }
      return;
    }
    if (stopScanning !== coming) return; // ended meanwhile (the view left, a code typed)
    scanButton.hidden = true;
    camera.hidden = false;
    stopScanning = scanLive(document.getElementById('enrol-video'), formats, {
      onCode: decode,
      onFailure: () => {
        endScan();
        tell('error', texts.cameraFailed);
      },
      onTorch: (turn) => {
        setTorch = turn;
        torchButton.hidden = false;
      },
    });
  }

  liveScanFormats().then((found) => {
    formats = found;
    scanButton.hidden = !formats || Boolean(stopScanning);
  });
  scanButton.addEventListener('click', scan);
  document.getElementById('enrol-scan-stop').addEventListener('click', endScan);
  // Leaving the view, or the page going out of sight, lets the camera go.
  new MutationObserver(() => { if (section.hidden) endScan(); })
    .observe(section, { attributes: true, attributeFilter: ['hidden'] });
  document.addEventListener('visibilitychange', () => { if (document.visibilityState === 'hidden') endScan(); });

  // The scanner's prompt by what the home has: a transmitter first, then
  // devices. Until the bridge has said, the general line.
  function takeTransmitters(transmitters) {
    prompt.textContent = transmitters.length ? texts.scanDevice : texts.scanTransmitterFirst;
  }

  function start() {
    endScan();
    decoded = null;
    prompt.textContent = texts.scanHint;
    send({ type: 'transmitters' });
    codeForm.hidden = false;
    namesForm.hidden = true;
    title.textContent = texts.scan;
    document.getElementById('enrol-id').value = '';
    showView('enrol');
    document.getElementById('enrol-id').focus();
  }

  function takeDecoded(message) {
    decoded = message;
    codeForm.hidden = true;
    namesForm.hidden = false;
    const transmitter = message.kind === transmitterKind;
    // The screen's title is the step's, as the app's scanned unit screen is titled.
    title.textContent = transmitter ? texts.scannedTransmitter : texts.scannedDevice;
    document.getElementById('enrol-summary').textContent = message.summary;
    // What the unit is, as the app's screens say: a transmitter's role in
    // the home (master or slave), a controller's kind.
    const kind = transmitter ? (message.master ? 'master' : 'transmitter') : pictureKinds[message.kind];
    document.getElementById('enrol-picture').replaceChildren(devicePicture(kind));
    document.getElementById('enrol-role').textContent = transmitter ? message.role
      : message.kind === 'C' ? texts.curtain : texts.lighting;
    document.getElementById('enrol-outcome').hidden = true;
    if (message.stored) tell('notice', transmitter ? texts.transmitterAdded : texts.deviceAdded);
    pages.replaceChildren(...message.channels.map((channel, index) => channelPage(kind, channel, index)));
    showPage(0);
  }

  // The outcome, in the banner and on the enrolment's own status line (which
  // stays while the banner may be taken by the link's state).
  function showOutcome(good, text) {
    const line = document.getElementById('enrol-outcome');
    line.textContent = text;
    line.className = good ? 'good' : 'bad';
    line.hidden = false;
    tell(good ? 'notice' : 'error', text);
  }

  function finished(message) {
    if (message.added === message.of) {
      showOutcome(true, texts.connected);
      for (const field of pages.querySelectorAll('input')) field.readOnly = true;
      // Done goes home, after a transmitter as after a controller, as in the app.
      showActions(button(texts.addMore, '', start), button(texts.done, '', () => showView('lights')));
      return;
    }
    // A transmitter that did not connect is told as the app's transmitter screen tells it.
    showOutcome(false, decoded?.kind === transmitterKind ? texts.networkFailed
      : `${texts.added} ${message.added} ${texts.deviceWord}`);
    const retry = button(texts.retry, '', () => {});
    retry.type = 'submit';
    showActions(retry);
  }

  codeForm.addEventListener('submit', (event) => {
    event.preventDefault();
    const typed = document.getElementById('enrol-id').value.trim();
    // As the app's ID entry: nothing typed is said, and the entry stays.
    if (!typed) tell('error', texts.inputIdEmpty);
    else decode(typed);
  });
  namesForm.addEventListener('submit', (event) => {
    event.preventDefault();
    if (!decoded) return;
    // A refused name on another channel's page: that page is brought into view, its field focused.
    const refused = names().findIndex(nameRefused);
    if (refused >= 0) showPage(refused);
    else send({ type: 'enrol', id: decoded.id, names: names() });
  });
  document.getElementById('open-enrol').addEventListener('click', start);
  // Back from the names goes back to the scanner, as the app's screens are stacked.
  document.querySelector('#enrol > button[data-back]').addEventListener('click', (event) => {
    if (namesForm.hidden) return;
    event.stopPropagation();
    start();
  });
  // A photo of the printed code: the bridge reads it, then it is decoded as a typed one.
  const photo = document.getElementById('enrol-photo');
  photo.addEventListener('change', async () => {
    const file = photo.files[0];
    photo.value = '';
    if (!file) return;
    const answer = await uploadPhoto('/photo', file, texts);
    if (answer.refused) tell('error', answer.refused);
    else decode(answer.code);
  });

  return {
    takeTransmitters,
    receive(message) {
      if (message.type === 'decoded') takeDecoded(message);
      else if (message.type === 'enrolled') finished(message);
    },
  };
}
