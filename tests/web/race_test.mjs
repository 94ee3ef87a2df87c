// Racing on the game's page: I puts the timer over the strip of rock under
// the lowest floor and takes it away again, K runs one frame while paused,
// O steps the speed through 50% and 25%; the best is kept in the browser's storage, imported
// from a file and saved as one, and still there after a reload; an edited run
// imported, a kept best that no longer verifies and a full storage each say
// so in one line and change nothing kept.
//   node race_test.mjs TEST_PAGE_DIR SOURCE_DIR
import assert from 'node:assert/strict';
import { readFile, writeFile } from 'node:fs/promises';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import {
  gameState, isWatching, openPageWithFolder, RATE, statusLine, until, waitForTitle,
} from './browser.mjs';

const [testPageDir, sourceDir] = process.argv.slice(2);
const FINISHED = join(sourceDir, 'tests', 'runs', 'finished-level.txt');  // its door opens at frame 1786
const PANEL = { x: 4, y: 702, w: 1016, h: 36 };  // where the timer goes (app/timer_panel.h)
const STORED = 'plinkard/best.txt';

let session, page, work;

before(async () => {
  session = await openPageWithFolder(testPageDir, 'race');
  ({ page, work } = session);
});
after(async () => {
  await session?.close();
});

const status = () => statusLine(page);
const stored = () => page.evaluate(() => [...Array(localStorage.length).keys()]
  .map((i) => localStorage.key(i)).sort().map((key) => [key, localStorage.getItem(key)]));
const keptBest = () => page.evaluate(() => UTF8ToString(Module._plinkard_page_best_text()));

async function load() {
  await page.goto('about:blank');
  await page.goto(session.url);
  await waitForTitle(page, RATE, 10000);
}

async function pause() {
  await page.keyboard.press('p');
  await waitForTitle(page, /^PAUSED$/, 3000);
}

// Keeps the canvas's pixels, to compare with later.
const keepPicture = () => page.evaluate(() => {
  window.kept = document.getElementById('plinkard').getContext('2d').getImageData(0, 0, 1024, 742).data;
});
// How many pixels differ from those kept, and the box round them.
const changes = () => page.evaluate(() => {
  const now = document.getElementById('plinkard').getContext('2d').getImageData(0, 0, 1024, 742).data;
  const box = { count: 0, left: 1024, top: 742, right: 0, bottom: 0 };
  for (let i = 0; i < now.length; i += 4) {
    if (now[i] === window.kept[i] && now[i + 1] === window.kept[i + 1] && now[i + 2] === window.kept[i + 2]) continue;
    const x = (i / 4) % 1024, y = Math.floor(i / 4 / 1024);
    ++box.count;
    box.left = Math.min(box.left, x);
    box.top = Math.min(box.top, y);
    box.right = Math.max(box.right, x + 1);
    box.bottom = Math.max(box.bottom, y + 1);
  }
  return box;
});

async function pickFile(button, file) {
  const [chooser] = await Promise.all([page.waitForFileChooser(), page.click(button)]);
  await chooser.accept([file]);
}

async function saidAfter(act, pattern) {
  await page.evaluate(() => { document.getElementById('plinkard-status').textContent = ''; });
  await act();
  return until(`a line matching ${pattern}`, async () => {
    const line = await status();
    return pattern.test(line) && line;
  }, 5000).catch(async (error) => {
    throw new Error(`${error.message}; the page says "${await status()}"`);
  });
}

// With the picture still (paused), I and I again.
async function toggleTimer() {
  await keepPicture();
  await page.keyboard.press('i');
  const on = await until('the timer drawn', async () => {
    const box = await changes();
    return box.count > 1000 && box;
  }, 3000);
  assert.ok(on.left >= PANEL.x && on.top >= PANEL.y && on.right <= PANEL.x + PANEL.w &&
    on.bottom <= PANEL.y + PANEL.h, `the picture changed outside the timer's strip: ${JSON.stringify(on)}`);
  await page.keyboard.press('i');
  await until('the picture without the timer again', async () => (await changes()).count === 0, 3000);
}

const watching = () => isWatching(page);

test('I writes the timer over the strip under the lowest floor alone, and I again takes it away', async () => {
  await load();
  await pause();
  await toggleTimer();

  // In a run watched too; and back in the game, its own picture.
  await keepPicture();
  await pickFile('#plinkard-open', FINISHED);
  await until('the viewer', watching, 3000);
  await pause();
  await toggleTimer();
  await page.click('#plinkard-back');
  await until('the game again', async () => !(await watching()), 3000);
  await until('the game\'s picture again', async () => (await changes()).count === 0, 3000);
});

test('K runs one frame while paused; O plays at 50% and 25% and at full speed again', async () => {
  await load();
  await pause();
  const before = (await gameState(page)).framesDrawn;
  await page.keyboard.press('k');
  const after = await until('one frame on, and paused again', async () => {
    const s = await gameState(page);
    return s.framesDrawn > before && s.paused && s;
  }, 3000);
  assert.equal(after.framesDrawn, before + 1);
  await page.keyboard.press('k');
  await until('another frame on', async () => (await gameState(page)).framesDrawn === before + 2, 3000);
  assert.equal(await page.title(), 'PAUSED');

  // The frames come further apart, and the title's rate follows.
  await page.keyboard.press('p');
  const period = async () => (await gameState(page)).framePeriod;
  for (const ms of [20, 40, 10]) {
    await page.keyboard.press('o');
    await until(`a frame every ${ms} ms`, async () => (await period()) === ms, 3000);
    if (ms === 20) {
      await until('at most 50 frames a second in the title', async () => {
        const [, fps] = await waitForTitle(page, RATE, 5000);
        return Number(fps) <= 51 && Number(fps) >= 30;
      }, 5000);
    }
  }
});

test('a best imported is kept in the browser, saved as best.txt and read again after a reload', async () => {
  const text = await readFile(FINISHED, 'utf8');
  await load();
  assert.deepEqual(await stored(), []);
  await saidAfter(() => page.click('#plinkard-save-best'), /^No best is kept yet/);
  await saidAfter(() => page.keyboard.press('j'), /^no ghost: no best run is kept yet$/);

  const kept = await saidAfter(() => pickFile('#plinkard-import-best', FINISHED), /kept as the best/);
  assert.equal(kept,
    'finished-level.txt: kept as the best (plinkard/best.txt in the browser\'s storage). New best: 0:17.86');
  const keys = await stored();
  assert.deepEqual(keys.map(([key]) => key), ['plinkard/best.txt', 'plinkard/splits.txt']);
  assert.equal(keys[0][1], text);
  assert.match(keys[1][1], /^Door 1786$/m);

  const cdp = await page.createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: work });
  await saidAfter(() => page.click('#plinkard-save-best'), /^Saved the best as best\.txt\.$/);
  await until('best.txt downloaded', async () => (await readFile(join(work, 'best.txt'), 'utf8')
    .catch(() => '')) === text, 5000);

  await load();
  assert.equal(await status(), '', 'the best kept was not trusted after the reload');
  assert.deepEqual(await stored(), keys);
  assert.equal(await keptBest(), text);
  await saidAfter(() => pickFile('#plinkard-import-best', FINISHED),
    /^finished-level\.txt: not kept: 0:17\.86 does not beat the best, 0:17\.86$/);

  // J shows the ghost of the best where it was on the frame shown, and J again hides it.
  await until('the ghost on its way', async () => (await gameState(page)).framesDrawn > 150, 5000);
  await pause();
  await keepPicture();
  await page.keyboard.press('j');
  await until('the ghost drawn', async () => (await changes()).count > 100, 3000);
  await page.keyboard.press('j');
  await until('the ghost gone', async () => (await changes()).count === 0, 3000);
});

test('an edited run imported is refused in one line, and nothing kept changes', async () => {
  const edited = join(work, 'edited.txt');
  await writeFile(edited, (await readFile(FINISHED, 'utf8')).replace(/^750 {3}down Up$/m, '760   down Up'));
  await load();
  const before = await stored();
  assert.equal(before.length, 2, 'no best kept by the test before');
  const said = await saidAfter(() => pickFile('#plinkard-import-best', edited), /not imported$/);
  assert.doesNotMatch(said, /\n/);
  assert.match(said, /^edited\.txt: /);
  assert.deepEqual(await stored(), before);
  assert.equal(await keptBest(), before[0][1]);

  // Page text written into a run is shown as text, never taken for the page's own.
  const marked = join(work, 'marked.txt');
  await writeFile(marked, '<b id="injected">bold</b>\n');
  await saidAfter(() => pickFile('#plinkard-import-best', marked), /not imported$/);
  assert.equal(await page.$('#injected'), null);
  assert.deepEqual(await stored(), before);
});

test('a kept best that does not verify is set aside with one line, and never trusted', async () => {
  const text = await readFile(FINISHED, 'utf8');
  await page.evaluate((key, text) => localStorage.setItem(key, text), STORED,
    text.replace(/^750 {3}down Up$/m, '760   down Up'));
  await load();
  const said = await status();
  assert.match(said, /^the best kept in plinkard\/best\.txt in the browser's storage is not trusted \(.*\): set aside as plinkard\/best\.txt\.failed in the browser's storage$/);
  assert.equal(await keptBest(), '');
  const keys = (await stored()).map(([key]) => key);
  assert.deepEqual(keys, ['plinkard/best.txt.failed', 'plinkard/splits.txt']);
});

test('with the browser\'s storage full, an import says the best can\'t be kept, and keeps nothing', async () => {
  await load();
  await page.evaluate(() => {
    localStorage.clear();
    // Filled to within a few characters of the browser's limit.
    for (let size = 1 << 20, n = 0; size >= 16; size >>= 1) {
      const filler = 'x'.repeat(size);
      for (;;) {
        try {
          localStorage.setItem(`filler${n++}`, filler);
        } catch {
          break;
        }
      }
    }
  });
  const names = async () => (await stored()).map(([key]) => key);
  const before = await names();
  const said = await saidAfter(() => pickFile('#plinkard-import-best', FINISHED), /can't keep/);
  assert.equal(said, 'can\'t keep the new best: plinkard/best.txt in the browser\'s storage: ' +
    'the browser\'s storage for this page is full');
  assert.deepEqual(await names(), before);
  assert.equal(await keptBest(), '');
  await page.evaluate(() => localStorage.clear());
});
