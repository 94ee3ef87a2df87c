// The game's page on a phone: headless Chromium with a phone's screen and
// touch, fingers put on the page's buttons through the DevTools protocol's
// touch events. The buttons and the picture share the screen in landscape
// and in portrait; a held button walks, three fingers make a running jump, a
// finger slides from one button to the next; nothing scrolls or zooms; the
// buttons for racing send their keys; a button takes the page fullscreen; a
// tap answers "You died".
//   node touch_test.mjs TEST_PAGE_DIR [SCREENSHOT_DIR]
// With SCREENSHOT_DIR, the page in both orientations is kept there as
// web-landscape.png and web-portrait.png.
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { gameState, openPage, placePlayer, RATE, sleep, START, until, waitForTitle } from './browser.mjs';

const [testPageDir, screenshotDir] = process.argv.slice(2);
const LANDSCAPE = { width: 844, height: 390, isMobile: true, hasTouch: true };
const PORTRAIT = { ...LANDSCAPE, width: 390, height: 844 };
const WALK = 2.93000007;  // the player's top speed walking

let session, page, fingers;
const state = () => gameState(page);

// Fingers on the touch screen, each with an id, down where it was last put or moved.
class Fingers {
  constructor(cdp) {
    this.cdp = cdp;
    this.down = new Map();
  }
  points() {
    return [...this.down].map(([id, at]) => ({ id, ...at }));
  }
  async put(id, at) {
    this.down.set(id, at);
    await this.cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: this.points() });
  }
  async move(id, at) {
    this.down.set(id, at);
    await this.cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: this.points() });
  }
  async lift(id) {
    const at = this.down.get(id);
    this.down.delete(id);
    await this.cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [{ id, ...at }] });
  }
}

const rect = (selector) => page.$eval(selector, (e) => {
  const r = e.getBoundingClientRect();
  return { left: r.left, top: r.top, right: r.right, bottom: r.bottom };
});
const centre = async (key) => {
  const r = await rect(`[data-key=${key}]`);
  return { x: (r.left + r.right) / 2, y: (r.top + r.bottom) / 2 };
};
const heldKeys = async () => (await state()).keys;

before(async () => {
  session = await openPage(testPageDir, LANDSCAPE);
  page = session.page;
  await page.goto(session.url);
  await waitForTitle(page, RATE, 10000);
  fingers = new Fingers(await page.createCDPSession());
});
after(async () => {
  await session?.close();
});

// Every button inside the screen and clear of the picture, which fills the
// room they leave: its height in landscape, its width in portrait.
async function checkLayout(orientation) {
  await until(`the ${orientation} layout`, async () => {
    const canvas = await rect('#plinkard');
    return orientation === 'landscape' ? canvas.bottom - canvas.top > 389 : canvas.right - canvas.left > 389;
  }, 5000);
  const canvas = await rect('#plinkard');
  const screen = await page.evaluate(() => ({ width: innerWidth, height: innerHeight }));
  assert.ok(canvas.left >= 0 && canvas.top >= 0 && canvas.right <= screen.width && canvas.bottom <= screen.height,
    `the picture ${JSON.stringify(canvas)} leaves the screen`);
  const buttons = await page.$$eval('[data-key], #plinkard-fullscreen', (all) => all.map((e) => {
    const r = e.getBoundingClientRect();
    return { key: e.dataset.key ?? e.id, left: r.left, top: r.top, right: r.right, bottom: r.bottom };
  }));
  assert.deepEqual(buttons.map((b) => b.key).sort(),
    ['Ctrl', 'Down', 'I', 'K', 'Left', 'O', 'P', 'Right', 'Space', 'Up', 'plinkard-fullscreen']);
  for (const b of buttons) {
    assert.ok(b.right - b.left >= 40 && b.bottom - b.top >= 40, `${b.key} is too small to touch`);
    assert.ok(b.left >= 0 && b.top >= 0 && b.right <= screen.width && b.bottom <= screen.height, `${b.key} is off the screen`);
    const over = b.left < canvas.right && b.right > canvas.left && b.top < canvas.bottom && b.bottom > canvas.top;
    assert.ok(!over, `${b.key} is over the picture`);
  }
  if (screenshotDir) await page.screenshot({ path: join(screenshotDir, `web-${orientation}.png`) });
}

test('the buttons sit beside the picture in landscape and below it in portrait, never over it', async () => {
  assert.equal(await page.$eval('#plinkard-keys', (e) => e.offsetHeight), 0, 'the keyboard\'s strip shows');
  await checkLayout('landscape');
  await page.setViewport(PORTRAIT);
  await checkLayout('portrait');
  assert.ok(await page.$eval('#plinkard-turn', (e) => e.offsetHeight > 0), 'no note to turn the device');
  await page.setViewport(LANDSCAPE);
  await checkLayout('landscape');
});

test('holding Right walks the player right until the finger lifts', async () => {
  const before = await state();
  await fingers.put(1, await centre('Right'));
  await until('the player walking right', async () => {
    const s = await state();
    return s.keys.includes(39) && s.xVel > 0 && s.x > before.x + 20;
  }, 5000);
  await fingers.lift(1);
  await until('Right let go', async () => !(await heldKeys()).includes(39), 3000);
  await until('the player coming to a stop', async () => (await state()).xVel === 0, 5000);
});

// From the start the step ahead leaves no room to speed up before the jump:
// the fingers go down together, and only running reaches more than a walk's
// speed in the air.
test('Right and Ctrl held with a tap on Up make a running jump', async () => {
  await placePlayer(page, START.x, START.y);
  await fingers.put(1, await centre('Right'));
  await fingers.put(2, await centre('Ctrl'));
  await fingers.put(3, await centre('Up'));
  await fingers.lift(3);
  const jump = await until('the player in the air faster than a walk', async () => {
    const s = await state();
    return s.y < START.y - 20 && s.xVel > WALK && s;
  }, 5000);
  assert.deepEqual(jump.keys, [17, 39], 'Right and Ctrl not held, or Up still held');
  await fingers.lift(2);
  await fingers.lift(1);
  await until('every key let go', async () => (await heldKeys()).length === 0, 3000);
  await until('the player coming to a stop', async () => (await state()).xVel === 0, 5000);
});

test('a finger sliding from Left onto Right lets go of Left and holds Right; off the buttons, neither', async () => {
  await fingers.put(1, await centre('Left'));
  await until('Left held', async () => (await heldKeys()).includes(37), 3000);
  await fingers.move(1, await centre('Right'));
  await until('Right held instead', async () => {
    const keys = await heldKeys();
    return keys.includes(39) && !keys.includes(37);
  }, 5000);
  const canvas = await rect('#plinkard');
  await fingers.move(1, { x: (canvas.left + canvas.right) / 2, y: (canvas.top + canvas.bottom) / 2 });
  await until('nothing held', async () => (await heldKeys()).length === 0, 3000);
  await fingers.lift(1);
});

test('touches on the buttons and across the picture neither scroll nor zoom the page', async () => {
  const canvas = await rect('#plinkard');
  const middle = { x: (canvas.left + canvas.right) / 2, y: (canvas.top + canvas.bottom) / 2 };
  await fingers.put(1, middle);
  for (let step = 1; step <= 5; ++step) await fingers.move(1, { x: middle.x - 30 * step, y: middle.y - 30 * step });
  await fingers.lift(1);
  await page.touchscreen.tap(middle.x, middle.y);
  await page.touchscreen.tap(middle.x, middle.y);  // a double tap, which zooms a page that lets it
  const down = await centre('Down');
  await fingers.put(1, down);
  await fingers.move(1, { x: down.x, y: down.y - 150 });
  await fingers.lift(1);
  await sleep(300);
  assert.deepEqual(await page.evaluate(() => [scrollX, scrollY, visualViewport.scale, visualViewport.offsetTop]),
    [0, 0, 1, 0]);
  assert.equal(await page.evaluate(() => getSelection().toString()), '');
});

test('the buttons for racing are their keys: Speed slows the game to 50% and 25%, and back', async () => {
  const speed = await centre('O');
  for (const ms of [20, 40, 10]) {
    await page.touchscreen.tap(speed.x, speed.y);
    await until(`a frame every ${ms} ms`, async () => (await state()).framePeriod === ms, 3000);
  }
});

test('a tap on the fullscreen button takes the page fullscreen, and another brings it back', async () => {
  const button = await rect('#plinkard-fullscreen');
  const tap = () => page.touchscreen.tap((button.left + button.right) / 2, (button.top + button.bottom) / 2);
  await tap();
  await until('the page fullscreen', () => page.evaluate(() => document.fullscreenElement !== null), 5000);
  await tap();
  await until('the page in its tab again', () => page.evaluate(() => document.fullscreenElement === null), 5000);
});

test('a tap answers "You died", and the player is back at the start', async () => {
  await placePlayer(page, 342, 295);
  await fingers.put(1, await centre('Left'));
  await page.waitForSelector('dialog[open]', { timeout: 5000 });
  await fingers.lift(1);
  await page.touchscreen.tap(20, 20);
  await until('the dialog closing', () => page.evaluate(() => !document.querySelector('dialog[open]')), 5000);
  const frames = (await state()).frameCount;
  const s = await until('frames after the dialog', async () => {
    const s = await state();
    return s.frameCount !== frames && s;
  }, 5000);
  assert.deepEqual([s.x, s.y, s.visible, s.keys], [START.x, START.y, 1, []], 'not standing at the start');
});
