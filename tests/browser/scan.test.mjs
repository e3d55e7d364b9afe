// SPDX-License-Identifier: GPL-3.0-or-later
// Live scanning of a printed code on the owner's page, in chromium with its
// fake camera and a stand-in barcode detector, against the bridge, a real
// mosquitto and the simulator at 360x640: a code read from the camera goes
// to the same decode request as a typed one (a wrong code gets the app's
// "Invalid BarCode", a controller's code leads to naming its channels), one
// request per code read, and the camera is stopped afterwards, as it is when
// the scan is cancelled or the view left. Without a detector the scan button
// is not there and the photo and the typed code stay. axe-core on the view
// with the camera running, in both languages; the Chinese page drawn in the
// app's face.
//   node scan.test.mjs BUILD/src
import assert from 'node:assert/strict';
import { auditViews, browserTest, fakeCamera, until } from './rig.mjs';
import { cameraLive, camerasStopped, installDetector, removeDetector } from './livescan.mjs';

const bin = process.argv[2];

// The faces the browser drew an element's text in, as chromium reports them.
async function renderedFaces(page, selector) {
  const session = await page.context().newCDPSession(page);
  await session.send('DOM.enable');
  await session.send('CSS.enable');
  const { root } = await session.send('DOM.getDocument');
  const { nodeId } = await session.send('DOM.querySelector', { nodeId: root.nodeId, selector });
  const { fonts } = await session.send('CSS.getPlatformFontsForNode', { nodeId });
  await session.detach();
  return fonts.map((font) => font.familyName);
}
const controller = '2112D0007770';

await browserTest(bin, [], async (rig, browser) => {
  const { base } = rig;
  const viewport = { width: 360, height: 640 };
  const context = await browser.newContext({ viewport });
  await context.addInitScript(installDetector);
  const page = await context.newPage();
  // Every decode request the page sends.
  const decodes = [];
  page.on('websocket', (socket) => socket.on('framesent', ({ payload }) => {
    const request = JSON.parse(payload);
    if (request.type === 'decode') decodes.push(request.code);
  }));
  await page.goto(rig.pairingLink('owner'));
  await page.locator('#channel-211300001231').waitFor();
  // The app's face draws the English page too (the system's would be DejaVu Sans here).
  assert.deepEqual(await renderedFaces(page, '.tile.lighting'), ['Noto Sans CJK SC']);
  assert.deepEqual(await renderedFaces(page, '#channel-211300001231 .name'), ['Noto Sans CJK SC']);
  await page.getByRole('button', { name: 'Device Management', exact: true }).click();
  await page.locator('#open-enrol').click();
  const scan = page.getByRole('button', { name: 'Scan with the camera' });
  await scan.waitFor();
  assert.ok(await page.evaluate(() => window.isSecureContext), 'loopback is a secure context');

  // The camera runs and is looked at; nothing is decoded while no code is in view.
  const startScanning = async () => {
    await scan.click();
    await until(() => cameraLive(page), 'the camera\'s picture');
    await until(() => page.evaluate(() => window.detectorLooks >= 2), 'the detector looking again');
  };
  await startScanning();
  assert.equal(await scan.isHidden(), true, 'one camera at a time');
  assert.deepEqual(await page.evaluate(() => window.detectorFormats), ['qr_code', 'code_128'],
    'the app\'s formats the browser reads');
  assert.deepEqual(decodes, []);

  // A wrong code: the app's message, and the camera let go.
  await page.evaluate(() => { window.codeInView = '1234'; });
  await until(async () => (await page.textContent('#banner')) === 'Invalid BarCode', 'the app\'s refusal');
  await until(() => camerasStopped(page), 'the camera stopped after the code read');
  assert.deepEqual(decodes, ['1234'], 'the first code read, once');
  assert.equal(await page.locator('#enrol-camera').isHidden(), true);
  assert.equal(await scan.isVisible(), true, 'scanning can start again');

  // Cancelled, and the view left: the camera stopped each time.
  await page.evaluate(() => { window.codeInView = null; });
  await startScanning();
  const light = page.getByRole('button', { name: 'Open Flashlight' });
  assert.equal(await light.isHidden(), true, 'no flashlight for a camera without a light');
  await page.getByRole('button', { name: 'Cancel' }).click();
  // A camera with a light: the app's Open Flashlight turns it on, and off again.
  await page.evaluate(() => { window.cameraHasLight = true; });
  await startScanning();
  await light.click();
  assert.equal(await light.getAttribute('aria-pressed'), 'true');
  await light.click();
  assert.deepEqual(await page.evaluate(() => window.torchAsked), [true, false]);
  await page.getByRole('button', { name: 'Cancel' }).click();
  assert.equal(await light.isHidden(), true, 'gone with the camera');
  await until(() => camerasStopped(page), 'the camera stopped when cancelled');
  await startScanning();
  await page.getByRole('button', { name: 'Cancel' }).click();
  await until(() => camerasStopped(page), 'the camera stopped when cancelled');
  await startScanning();
  await page.locator('#enrol .back').click();
  await until(() => camerasStopped(page), 'the camera stopped when the view was left');
  assert.deepEqual(decodes, ['1234']);

  // A controller's code: decoded as a typed one, its channels to name.
  await page.locator('#open-enrol').click();
  await startScanning();
  await page.evaluate((code) => { window.codeInView = code; }, controller);
  await page.locator('#enrol-name-0').waitFor();
  assert.equal(await page.textContent('#enrol-title'), 'Scanned Device');
  assert.equal(await page.locator('#enrol-pages input').count(), 2, 'a two-channel controller');
  await until(() => camerasStopped(page), 'the camera stopped after the code was taken');
  assert.deepEqual(decodes, ['1234', controller]);
  assert.equal(await page.evaluate(() => window.openedCameras.length), 6);

  await auditViews(browser, { context, viewport, initScript: installDetector }, base, [
    async function scanning(audited) {
      await audited.locator('#open-devices').click();
      await audited.locator('#open-enrol').click();
      await audited.locator('#enrol-scan').click();
      await until(() => cameraLive(audited), 'the camera in the audited page');
    }], 'owner 360x640 scanning');
  const chinese = { width: 768, height: 1024 };
  const chineseContext = await browser.newContext({ viewport: chinese, locale: 'zh-CN' });
  await chineseContext.addInitScript(installDetector);
  const chinesePage = await chineseContext.newPage();
  await chinesePage.goto(rig.pairingLink('owner'));
  await chinesePage.locator('#channel-211300001231').waitFor();
  // The app's face draws the page's Chinese, in buttons as in text.
  assert.deepEqual(await renderedFaces(chinesePage, '.tile.lighting'), ['Noto Sans CJK SC']);
  assert.deepEqual(await renderedFaces(chinesePage, '#sync'), ['Noto Sans CJK SC']);
  await auditViews(browser, { context: chineseContext, viewport: chinese, locale: 'zh-CN', initScript: installDetector },
    base, [async function scanning(audited) {
      await audited.locator('#open-devices').click();
      await audited.locator('#open-enrol').click();
      await audited.getByRole('button', { name: '用摄像头扫描' }).click();
      await until(() => cameraLive(audited), 'the camera in the audited page');
    }], 'owner zh-CN 768x1024 scanning');
  await chineseContext.close();

  // No detector: no scan button; the photo and the typed code as before.
  const plain = await browser.newContext({ viewport });
  await plain.addInitScript(removeDetector);
  const without = await plain.newPage();
  await without.goto(rig.pairingLink('owner'));
  await without.locator('#channel-211300001231').waitFor();
  await without.locator('#open-devices').click();
  await without.locator('#open-enrol').click();
  await without.locator('#enrol-id').waitFor();
  assert.equal(await without.locator('#enrol-scan').isHidden(), true, 'no scan button without a detector');
  assert.equal(await without.locator('#enrol').getByText('Take Photo').isVisible(), true);
  await without.fill('#enrol-id', controller);
  await without.keyboard.press('Enter');
  await without.locator('#enrol-name-0').waitFor();
  await plain.close();
  return 'browser: live scanning of a code (wrong, then a controller\'s), the camera stopped, no button without a detector passed';
}, { browserArguments: fakeCamera });
