// Headless Chromium (Debian's) with a fresh profile, on a page served from a
// build directory on 127.0.0.1, for the browser tests and the measurements.
import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

import { serve } from '../../web/serve.mjs';

export const sleep = (ms) => new Promise((done) => setTimeout(done, ms));

// The title while the game runs; its match holds the frame rate.
export const RATE = /^Plinkard running at (\d+)FPS\.$/;

// Opens DIRECTORY/plinkard.html in a new browser, in a tab of the given
// viewport (puppeteer's: a size, and touch or a phone's screen). close() ends
// both the browser and the server, and removes the profile.
export async function openPage(directory, viewport = { width: 1280, height: 900 }) {
  const server = await serve(directory);
  const profile = await mkdtemp(join(tmpdir(), 'plinkard-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    // This machine's network is closed: nothing but the page is fetched.
    args: [
      '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', `--user-data-dir=${profile}`,
    ],
  });
  const page = await browser.newPage();
  await page.setViewport(viewport);
  const url = `http://127.0.0.1:${server.address().port}/plinkard.html`;
  return {
    browser,
    page,
    server,
    url,
    async close() {
      await browser.close();
      await new Promise((done) => server.close(done));
      await rm(profile, { recursive: true, force: true });
    },
  };
}

// openPage's page, and a folder of its own for the test's files (`work`),
// which close() removes too.
export async function openPageWithFolder(directory, name) {
  const work = await mkdtemp(join(tmpdir(), `plinkard-${name}-`));
  const session = await openPage(directory);
  return {
    ...session,
    work,
    async close() {
      await session.close();
      await rm(work, { recursive: true, force: true });
    },
  };
}

// The page's line of news, and whether it watches a run.
export const statusLine = (page) => page.$eval('#plinkard-status', (e) => e.textContent);
export const isWatching = (page) => page.evaluate(() => document.documentElement.classList.contains('watching'));

// Waits until `check` answers something true; answers that. `what` names
// what was waited for when it does not come.
export async function until(what, check, timeoutMs) {
  const deadline = Date.now() + timeoutMs;
  for (;;) {
    const value = await check();
    if (value) return value;
    if (Date.now() > deadline) throw new Error(`${what}: not within ${timeoutMs} ms`);
    await sleep(20);
  }
}

// Waits until the page's title matches `pattern`; answers the match.
export async function waitForTitle(page, pattern, timeoutMs) {
  let title = '';
  return until(`the title matching ${pattern}`, async () => (title = await page.title()).match(pattern), timeoutMs)
    .catch((error) => {
      throw new Error(`${error.message}; the title is "${title}"`);
    });
}

// The test page's window into the game (tests/web/test_page.cpp): the player,
// the keys the game holds and the frame counters; and putting the player,
// standing still, somewhere.
export const gameState = (page) => page.evaluate(() => JSON.parse(UTF8ToString(Module._plinkard_test_state())));
export const placePlayer = (page, x, y) => page.evaluate((x, y) => Module._plinkard_test_place(x, y), x, y);
export const START = { x: 8, y: 111 };  // where the player stands at the start, and after a death there
