// The game's page installed and offline, in headless Chromium: its manifest
// as Chromium reads it, with both icons there and of the size they claim;
// after one visit the game starts with the server gone and the browser
// offline; a new build replaces the kept files at the next visit.
//   node offline_test.mjs PAGE_DIR SOURCE_DIR
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import { copyFile, mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { promisify } from 'node:util';
import { after, before, test } from 'node:test';

import { openPage, RATE, waitForTitle } from './browser.mjs';

const [pageDir, sourceDir] = process.argv.slice(2);

// The files the service worker keeps, as the build lists them in it.
async function keptFiles(directory) {
  const worker = await readFile(join(directory, 'sw.js'), 'utf8');
  return JSON.parse(worker.match(/^const FILES = (\[.*\]);$/m)[1].replaceAll("'", '"'));
}

// Waits for the page's service worker to be active with every file kept in
// one cache, other than the one named `not`; answers that cache's name.
async function keptForOffline(page, not = '') {
  const files = await keptFiles(pageDir);
  const kept = await page.evaluate(async (count, not) => {
    await navigator.serviceWorker.ready;
    for (const deadline = Date.now() + 20000; Date.now() < deadline;) {
      const names = await caches.keys();
      if (names.length === 1 && names[0] !== not && (await (await caches.open(names[0])).keys()).length === count) {
        return names[0];
      }
      await new Promise((done) => setTimeout(done, 50));
    }
    return `not within 20 s; the caches: ${JSON.stringify(await caches.keys())}`;
  }, files.length, not);
  assert.match(kept, /^http/, 'the page kept for offline');
  return kept;
}

let session, page;
before(async () => {
  session = await openPage(pageDir);
  page = session.page;
  await page.goto(session.url);
  await waitForTitle(page, RATE, 10000);
});
after(async () => {
  await session?.close();
});

test('the manifest reads without a fault, and its two icons are there at the sizes it gives', async () => {
  const cdp = await page.createCDPSession();
  const { errors, data } = await cdp.send('Page.getAppManifest');
  assert.deepEqual(errors, []);
  const manifest = JSON.parse(data);
  assert.equal(manifest.name, 'Plinkard');
  assert.equal(manifest.short_name, 'Plinkard');
  assert.ok(['fullscreen', 'standalone'].includes(manifest.display), manifest.display);
  assert.equal(manifest.orientation, 'landscape');
  assert.deepEqual(manifest.icons.map((icon) => icon.sizes).sort(), ['192x192', '512x512']);
  for (const icon of manifest.icons) {
    const size = await page.evaluate(async (src) => {
      const response = await fetch(src);
      const bitmap = await createImageBitmap(await response.blob());
      return `${bitmap.width}x${bitmap.height} ${response.headers.get('Content-Type')}`;
    }, icon.src);
    assert.equal(size, `${icon.sizes} ${icon.type}`, icon.src);
  }
  await keptForOffline(page);
  const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors, []);
});

test('after one visit the game starts with no network', async () => {
  await keptForOffline(page);
  const { server } = session;
  server.closeAllConnections();
  await new Promise((done) => server.close(done));
  await page.setOfflineMode(true);
  await page.reload();
  await waitForTitle(page, RATE, 10000);
});

test('a new build replaces the kept files at the next visit', async () => {
  const directory = await mkdtemp(join(tmpdir(), 'plinkard-page-'));
  const files = await keptFiles(pageDir);
  for (const name of [...files, 'sw.js']) await copyFile(join(pageDir, name), join(directory, name));
  const visit = await openPage(directory);
  try {
    const { page } = visit;
    const running = () => page.waitForSelector('#plinkard:not([hidden])', { timeout: 10000 });
    const isNew = () => page.evaluate(() => document.querySelector('meta[name=build]') !== null);
    await page.goto(visit.url);
    await running();
    const old = await keptForOffline(page);

    // The new build: its page differs, and its worker is written as the build writes it.
    const html = await readFile(join(directory, 'plinkard.html'), 'utf8');
    await writeFile(join(directory, 'plinkard.html'), html.replace('<head>', '<head>\n<meta name="build" content="new">'));
    await promisify(execFile)(process.env.CMAKE ?? 'cmake', [`-DTEMPLATE=${join(sourceDir, 'web/sw.js')}`, `-DDIR=${directory}`,
      `-DFILES=${files.join('|')}`, '-DVERSION=0', '-P', join(sourceDir, 'cmake/ServiceWorker.cmake')]);

    // The next visit still plays the kept build, while the new one takes its place.
    await page.reload();
    await running();
    assert.equal(await isNew(), false, 'the next visit mixed in the new build');
    await keptForOffline(page, old);

    await page.reload();
    await running();
    assert.equal(await isNew(), true, 'the visit after the update still plays the old build');
  } finally {
    await visit.close();
    await rm(directory, { recursive: true, force: true });
  }
});
