// Game pads on the game's page, in headless Chromium: navigator.getGamepads
// is replaced, before the page loads, by scripted pads that the test plugs in,
// presses and unplugs. A pad in the standard layout plays as on the desktop:
// the D-pad and the stick walk, A jumps and answers "You died", Start pauses;
// unplugged, it lets go; a key held on it and on the keyboard stays held until
// both let go. A pad in another layout is ignored, and the page says so once.
//   node pad_test.mjs TEST_PAGE_DIR
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { gameState, openPage, placePlayer, RATE, sleep, START, until, waitForTitle } from './browser.mjs';

const [testPageDir] = process.argv.slice(2);
// The standard layout's buttons by number.
const A = 0, START_BUTTON = 9, DPAD_LEFT = 14, DPAD_RIGHT = 15;
const LEFT = 37, UP = 38, RIGHT = 39;

let session, page;
const state = () => gameState(page);
const heldKeys = async () => (await state()).keys;

before(async () => {
  session = await openPage(testPageDir);
  page = session.page;
  await page.evaluateOnNewDocument(() => {
    const slots = [null, null, null, null];
    const button = () => ({ pressed: false, touched: false, value: 0 });
    window.testPads = {
      plug(index, id, mapping = 'standard') {
        slots[index] = {
          id, index, mapping, connected: true, timestamp: performance.now(),
          axes: [0, 0, 0, 0], buttons: Array.from({ length: 17 }, button),
        };
      },
      unplug(index) {
        slots[index] = null;
      },
      press(index, number, down) {
        slots[index].buttons[number] = { pressed: down, touched: down, value: down ? 1 : 0 };
      },
      stick(index, x, y) {
        slots[index].axes = [x, y, 0, 0];
      },
    };
    window.testPads.plug(0, 'Scripted pad (STANDARD GAMEPAD)');
    navigator.getGamepads = () => slots.slice();
  });
  await page.goto(session.url);
  await waitForTitle(page, RATE, 10000);
});
after(async () => {
  await session?.close();
});

const pads = (method, ...args) => page.evaluate((method, args) => window.testPads[method](...args), method, args);

test('the D-pad and the stick past half-way walk the player', async () => {
  const before = await state();
  await pads('press', 0, DPAD_RIGHT, true);
  await until('the player walking right', async () => {
    const s = await state();
    return s.keys.includes(RIGHT) && s.x > before.x + 20;
  }, 5000);
  await pads('press', 0, DPAD_RIGHT, false);
  await until('Right let go', async () => !(await heldKeys()).includes(RIGHT), 3000);
  await until('the player coming to a stop', async () => (await state()).xVel === 0, 5000);

  await pads('stick', 0, -0.4, 0);
  await sleep(200);
  assert.deepEqual(await heldKeys(), [], 'the stick short of half-way holds a key');
  await pads('stick', 0, -0.7, 0.1);
  await until('Left held by the stick', async () => (await heldKeys()).includes(LEFT), 3000);
  await pads('stick', 0, 0, 0);
  await until('Left let go', async () => (await heldKeys()).length === 0, 3000);
});

test('A jumps', async () => {
  await placePlayer(page, START.x, START.y);
  await pads('press', 0, A, true);
  await until('the player in the air', async () => {
    const s = await state();
    return s.keys.includes(UP) && s.y < START.y - 10;
  }, 5000);
  await pads('press', 0, A, false);
  await until('Up let go', async () => !(await heldKeys()).includes(UP), 3000);
});

test('Start pauses the game, PAUSED in the title, and Start again resumes it', async () => {
  await pads('press', 0, START_BUTTON, true);
  await waitForTitle(page, /^PAUSED$/, 5000);
  await pads('press', 0, START_BUTTON, false);
  const paused = await state();
  await sleep(300);
  assert.equal((await state()).frameCount, paused.frameCount, 'frames went on while paused');
  // While paused the page looks at the pads by itself: nothing else wakes it.
  await pads('press', 0, START_BUTTON, true);
  await waitForTitle(page, RATE, 5000);
  await pads('press', 0, START_BUTTON, false);
});

test('a key held on the keyboard and on the pad stays held until both let go', async () => {
  await page.keyboard.down('ArrowRight');
  await pads('press', 0, DPAD_RIGHT, true);
  await until('Right held', async () => (await heldKeys()).includes(RIGHT), 3000);
  await page.keyboard.up('ArrowRight');
  await sleep(200);
  assert.ok((await heldKeys()).includes(RIGHT), 'Right went up while the pad held it');
  await page.keyboard.down('ArrowRight');
  await pads('press', 0, DPAD_RIGHT, false);
  await sleep(200);
  assert.ok((await heldKeys()).includes(RIGHT), 'Right went up while the keyboard held it');
  await page.keyboard.up('ArrowRight');
  await until('Right let go', async () => (await heldKeys()).length === 0, 3000);
});

test('unplugging the pad while it holds Left lets go; plugged in again it plays', async () => {
  await pads('press', 0, DPAD_LEFT, true);
  await until('Left held', async () => (await heldKeys()).includes(LEFT), 3000);
  await pads('unplug', 0);
  await until('Left let go', async () => (await heldKeys()).length === 0, 3000);
  await until('the player coming to a stop', async () => (await state()).xVel === 0, 5000);
  await pads('plug', 2, 'Another pad (STANDARD GAMEPAD)');
  await pads('press', 2, DPAD_RIGHT, true);
  await until('Right held by the pad plugged in', async () => (await heldKeys()).includes(RIGHT), 3000);
  await pads('unplug', 2);
  await until('Right let go', async () => (await heldKeys()).length === 0, 3000);
});

test('a pad in another layout is ignored, and the page says so once', async () => {
  await pads('plug', 1, 'Odd pad (Vendor: 1234 Product: 5678)', '');
  await pads('press', 1, DPAD_RIGHT, true);
  await pads('press', 1, A, true);
  const note = await page.waitForSelector('#plinkard-note:not([hidden])', { timeout: 5000 });
  assert.match(await note.evaluate((e) => e.textContent), /Odd pad .* not in the standard layout/);
  await note.evaluate((e) => e.remove());
  await sleep(300);
  assert.deepEqual(await heldKeys(), [], 'the pad in another layout holds a key');
  assert.equal(await page.$('#plinkard-note'), null, 'the page said it again');
  await pads('unplug', 1);
});

test('A answers "You died", and its press does not reach the game', async () => {
  await pads('plug', 0, 'Scripted pad (STANDARD GAMEPAD)');
  await placePlayer(page, 342, 295);
  await pads('press', 0, DPAD_LEFT, true);
  await page.waitForSelector('dialog[open]', { timeout: 5000 });
  await pads('press', 0, DPAD_LEFT, false);
  await pads('press', 0, A, true);
  await until('the dialog closing', () => page.evaluate(() => !document.querySelector('dialog[open]')), 5000);
  const frames = (await state()).frameCount;
  await until('frames after the dialog', async () => (await state()).frameCount !== frames, 5000);
  await sleep(200);
  const s = await state();
  assert.deepEqual([s.x, s.y, s.keys], [START.x, START.y, []], 'not standing at the start, or A jumped');
  await pads('press', 0, A, false);
});
