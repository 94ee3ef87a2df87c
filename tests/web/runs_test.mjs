// Runs on the game's page: the run played is recorded as on the desktop (the
// native replay tool verifies it); a run opens from its link, from a file
// picked or dropped, and plays in the viewer to the same finish line, which
// the page shows for a screen reader; the viewer's keys act; and a link or a
// file that holds no run says so in one line while the game plays on.
//   node runs_test.mjs TEST_PAGE_DIR NATIVE_REPLAY SOURCE_DIR
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { readFile, writeFile } from 'node:fs/promises';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { deflateRawSync } from 'node:zlib';

import {
  gameState, isWatching, openPageWithFolder, RATE, sleep, statusLine, until, waitForTitle,
} from './browser.mjs';

const [testPageDir, nativeReplay, sourceDir] = process.argv.slice(2);
const ROUTE = join(sourceDir, 'routes', 'complete.txt');
const FINISH = 'Door opened at frame 1740: 17.40 s, 0 deaths';

let session, page, work;

before(async () => {
  session = await openPageWithFolder(testPageDir, 'runs');
  ({ page, work } = session);
});
after(async () => {
  await session?.close();
});

const status = () => statusLine(page);
const result = () => page.$eval('#plinkard-result', (e) => e.textContent);
const watching = () => isWatching(page);
const linkOf = (file) => execFileSync(nativeReplay, ['--link', file], { encoding: 'utf8' }).trim();
const base64url = (bytes) => Buffer.from(bytes).toString('base64url');

// Opens the page afresh at `fragment` ('' for none) and waits for it to run.
async function load(fragment) {
  await page.goto('about:blank');
  await page.goto(session.url + fragment);
  await until('the page running', () => page.evaluate(() => typeof Module !== 'undefined' && !!Module.calledRun),
    10000);
}

async function backToTheGame() {
  await page.click('#plinkard-back');
  await until('the game again', async () => !(await watching()), 3000);
}

test('the run played is recorded, with result lines the native tool verifies', async () => {
  await load('');
  await waitForTitle(page, RATE, 5000);
  await page.keyboard.down('ArrowRight');
  await sleep(700);
  await page.keyboard.press('ArrowUp');
  await sleep(300);
  await page.keyboard.up('ArrowRight');
  await page.keyboard.press('p');
  await waitForTitle(page, /^PAUSED$/, 2000);
  await page.keyboard.press('p');
  await sleep(300);
  const text = await page.evaluate(() => UTF8ToString(Module._plinkard_page_run_text()));
  assert.match(text, /^# Plinkard recording 2, made by Plinkard [0-9.]+ on /);
  assert.match(text, /^[0-9]+ +down Right$/m);
  const file = join(work, 'played.txt');
  await writeFile(file, text);
  const verified = spawnSync(nativeReplay, ['--verify', file], { encoding: 'utf8' });
  assert.equal(verified.status, 0, verified.stdout + verified.stderr);
  assert.match(verified.stdout, /: verified: [0-9]+ frames, 0 deaths, door not opened\n$/);

  // Copy link puts it on the clipboard, or where that is not allowed, in the
  // field beside the buttons.
  await session.browser.defaultBrowserContext().overridePermissions(new URL(session.url).origin,
    ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  await page.click('#plinkard-link');
  await until('a line about the link', async () => /^(Link copied|Copy the link)/.test(await status()), 2000);
  const link = /^Link copied/.test(await status())
    ? await page.evaluate(() => navigator.clipboard.readText())
    : await page.$eval('#plinkard-link-text', (e) => e.value);
  assert.match(link, /\/plinkard\.html#run=[A-Za-z0-9_-]+$/);
  console.log(`# the link of ${text.split('\n').length} lines is ${link.length} characters`);
});

test('a link plays its run in the viewer to the finish line, which the page shows for a screen reader', async () => {
  await load(linkOf(ROUTE));
  await until('the viewer', watching, 3000);
  assert.equal(await page.$eval('#plinkard-result', (e) => e.getAttribute('aria-live')), 'polite');
  for (let i = 0; i < 3; ++i) await page.keyboard.press('ArrowUp');  // eight times as fast
  await until('the finish line', async () => (await result()) === FINISH, 15000);
  assert.equal((await gameState(page)).frameCount >= 0, true);
  await backToTheGame();
  await waitForTitle(page, /^PAUSED|Plinkard running/, 3000);
  assert.equal(await result(), '', 'the game played has no finish line yet');
});

test('the viewer pauses, and 5 sends it half-way: the picture of frame 875', async () => {
  execFileSync(nativeReplay, ['--frames', '875', '--png', join(work, '875.png'), ROUTE]);
  await load(linkOf(ROUTE));
  await until('the viewer', watching, 3000);
  await page.keyboard.press('p');
  await waitForTitle(page, /^PAUSED$/, 2000);
  await page.keyboard.press('5');
  const expected = (await readFile(join(work, '875.png'))).toString('base64');
  // The game area but for the banner, compared by the browser's own decoding.
  const differing = async () => page.evaluate(async (expected) => {
    const canvas = document.getElementById('plinkard');
    const shown = canvas.getContext('2d').getImageData(0, 0, 1024, 742).data;
    const bitmap = await createImageBitmap(await (await fetch(`data:image/png;base64,${expected}`)).blob(),
      { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
    const off = new OffscreenCanvas(1024, 742);
    off.getContext('2d').drawImage(bitmap, 0, 0);
    const want = off.getContext('2d').getImageData(0, 0, 1024, 742).data;
    let n = 0;
    for (let i = 0; i < want.length; i += 4) {
      const x = (i / 4) % 1024, y = Math.floor(i / 4 / 1024);
      if (x >= 247 && x < 778 && y >= 293 && y < 388) continue;
      if (want[i] !== shown[i] || want[i + 1] !== shown[i + 1] || want[i + 2] !== shown[i + 2]) ++n;
    }
    return n;
  }, expected);
  await until('frame 875 on the canvas', async () => (await differing()) === 0, 3000);
  await backToTheGame();
});

test('a file picked or dropped on the page opens in the viewer', async () => {
  await load('');
  await waitForTitle(page, RATE, 5000);
  const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('#plinkard-open')]);
  await chooser.accept([ROUTE]);
  await until('the viewer', watching, 3000);
  assert.match(await status(), /^Watching complete\.txt\.$/);
  await backToTheGame();

  const text = await readFile(ROUTE, 'utf8');
  await page.evaluate((text) => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([text], 'dropped.txt', { type: 'text/plain' }));
    document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
  }, text);
  await until('the viewer', watching, 3000);
  assert.match(await status(), /^Watching dropped\.txt\.$/);
  await backToTheGame();
});

test('a link or a file that holds no run says so in one line, and the game plays on', async () => {
  const good = linkOf(ROUTE);
  const bomb = `#run=${base64url(deflateRawSync(Buffer.alloc(5 * 1024 * 1024, 0x61)))}`;
  const notRun = `#run=${base64url(deflateRawSync(Buffer.from('this is no run\n')))}`;
  const cases = [
    ['#run=not*base64', /^This link holds no run: it has characters no run link has\.$/],
    [good.slice(0, Math.floor(good.length / 2)), /^This link holds no run: it is cut short or damaged\.$/],
    [bomb, /^This link holds no run: it unpacks to more than 4 MB\.$/],
    [notRun, /^Not a run: link:1: time "this" is not a number of milliseconds$/],
  ];
  for (const [fragment, said] of cases) {
    await load(fragment);
    await until(`a line for ${fragment.slice(0, 20)}`, async () => said.test(await status()), 5000)
      .catch(async (error) => {
        throw new Error(`${error.message}; the page says "${await status()}"`);
      });
    assert.equal(await watching(), false);
    await waitForTitle(page, RATE, 5000);
  }

  const binary = join(work, 'binary.bin');
  await writeFile(binary, Buffer.from([0x7f, 0x45, 0x4c, 0x46, 0xff, 0xfe, 0x00, 0x01]));
  const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('#plinkard-open')]);
  await chooser.accept([binary]);
  await until('a line for the binary file', async () => /^Not a run: binary\.bin holds no text\.$/.test(await status()),
    3000);
  assert.equal(await watching(), false);
});
