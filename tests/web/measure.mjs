// Measures the game's page in headless Chromium, all in one run: what loading
// it transfers (its service worker's share included), the time to its first frame, the frame rate, and the CPU of
// the page's main thread with the player standing and running, beside the
// paused game's, which draws nothing. Checks the goals and exits 1 when one is
// missed.
//   node measure.mjs PAGE_DIR
import { readFile, stat } from 'node:fs/promises';
import { join } from 'node:path';

import { openPage, RATE, sleep, waitForTitle } from './browser.mjs';

const [pageDir] = process.argv.slice(2);
const WINDOW_MS = 5000;
const GOALS = { bytes: 1250 * 1000, firstFrameMs: 2000, medianRate: 97, standingCpu: 10, runningCpu: 15 };

const session = await openPage(pageDir);
const { page } = session;
const cdp = await page.createCDPSession();

// Everything that arrives over the network while the page loads, for the page
// and for its service worker, which fetches the files it keeps once more;
// and the worker's own script, fetched before its network can be watched.
let transferred = (await stat(join(pageDir, 'sw.js'))).size;
const files = ['/sw.js'];
async function watchNetwork(session, who) {
  session.on('Network.responseReceived', (event) => files.push(`${who}${new URL(event.response.url).pathname}`));
  session.on('Network.loadingFinished', (event) => {
    transferred += event.encodedDataLength;
  });
  await session.send('Network.enable');
  await session.send('Network.setCacheDisabled', { cacheDisabled: true });
}
// The worker waits to start until its network is watched.
const root = await session.browser.target().createCDPSession();
let workerWatched;
const workerStarted = new Promise((done) => {
  workerWatched = done;
});
root.on('Target.attachedToTarget', async ({ sessionId, targetInfo, waitingForDebugger }) => {
  const target = root.connection().session(sessionId);
  if (targetInfo.type === 'service_worker') await watchNetwork(target, 'worker: ');
  if (waitingForDebugger) await target.send('Runtime.runIfWaitingForDebugger');
  if (targetInfo.type === 'service_worker') workerWatched();
});
await root.send('Target.setAutoAttach', { autoAttach: true, waitForDebuggerOnStart: true, flatten: true });
await watchNetwork(cdp, '');
await cdp.send('Performance.enable', { timeDomain: 'threadTicks' });

// The main thread of the page's renderer: its CPU from /proc (the thread whose
// id is the process's), and the busy time that Chromium itself reports. Of
// Chromium's renderer processes, the game's is the one that keeps busy.
const browserCdp = await session.browser.target().createCDPSession();
async function gameRendererPid() {
  const { processInfo } = await browserCdp.send('SystemInfo.getProcessInfo');
  const pids = processInfo.filter((p) => p.type === 'renderer').map((p) => p.id);
  const before = await Promise.all(pids.map(mainThreadTicks));
  await sleep(1000);
  const after = await Promise.all(pids.map(mainThreadTicks));
  const busiest = pids.map((pid, i) => [after[i] - before[i], pid]).sort((a, b) => b[0] - a[0])[0];
  return busiest[1];
}
async function mainThreadTicks(pid) {
  const fields = (await readFile(`/proc/${pid}/task/${pid}/stat`, 'utf8')).split(') ')[1].split(' ');
  return Number(fields[11]) + Number(fields[12]);  // utime, stime
}
async function taskSeconds() {
  const { metrics } = await cdp.send('Performance.getMetrics');
  return metrics.find((m) => m.name === 'TaskDuration').value;
}
const TICKS = 100;  // clock ticks a second (getconf CLK_TCK on Linux)

// The CPU of the main thread over WINDOW_MS while `act` plays, in % of a core,
// and the rates the title showed meanwhile.
let pid;
async function cpuWhile(act = async () => sleep(WINDOW_MS)) {
  const rates = [];
  const watch = setInterval(async () => {
    const match = (await page.title()).match(RATE);
    if (match) rates.push(Number(match[1]));
  }, 1000);
  const [ticks0, busy0, t0] = [await mainThreadTicks(pid), await taskSeconds(), performance.now()];
  await act();
  const [ticks1, busy1, t1] = [await mainThreadTicks(pid), await taskSeconds(), performance.now()];
  clearInterval(watch);
  const seconds = (t1 - t0) / 1000;
  return {
    proc: (100 * (ticks1 - ticks0)) / TICKS / seconds,
    chromium: (100 * (busy1 - busy0)) / seconds,
    rates,
  };
}

const percent = (x) => `${x.toFixed(1)}%`;
const report = [];
const missed = [];
const check = (ok, what) => {
  if (!ok) missed.push(what);
};

await page.goto(session.url);
await waitForTitle(page, RATE, 10000);
await workerStarted;
await page.evaluate(async () => {
  await navigator.serviceWorker.ready;
});
const firstFrame = await page.evaluate(() => performance.getEntriesByName('plinkard-first-frame')[0]?.startTime);
report.push(`transferred: ${transferred} bytes (${files.join(', ')})`);
report.push(`first frame: ${firstFrame.toFixed(0)} ms after the page was requested`);
check(transferred <= GOALS.bytes, `transferred ${transferred} > ${GOALS.bytes} bytes`);
check(firstFrame <= GOALS.firstFrameMs, `first frame after ${firstFrame} ms`);

await sleep(1500);  // past the first reports
pid = await gameRendererPid();
const standing = await cpuWhile();

// Running: Ctrl held, turning every half second between the start and the
// first step, so that the player moves every frame.
await page.keyboard.down('Control');
const running = await cpuWhile(async () => {
  for (let t = 0; t < WINDOW_MS; t += 500) {
    const key = (t / 500) % 2 === 0 ? 'ArrowRight' : 'ArrowLeft';
    await page.keyboard.down(key);
    await sleep(500);
    await page.keyboard.up(key);
  }
});
await page.keyboard.up('Control');

await page.keyboard.press('p');
await waitForTitle(page, /^PAUSED$/, 2000);
const paused = await cpuWhile();
await page.keyboard.press('p');

const line = (name, m) =>
  `${name}: main thread ${percent(m.proc)} of a core (/proc), busy ${percent(m.chromium)} (Chromium's TaskDuration)` +
  (m.rates.length ? `, title ${m.rates.join(' ')} FPS` : '');
report.push(line('standing', standing));
report.push(line('running', running));
report.push(line('paused', paused));
const rates = [...standing.rates, ...running.rates].sort((a, b) => a - b);
const median = rates[Math.floor(rates.length / 2)];
check(median >= GOALS.medianRate, `a median frame rate of ${median} FPS`);
check(standing.proc <= GOALS.standingCpu, `standing costs ${percent(standing.proc)}`);
check(running.proc <= GOALS.runningCpu, `running costs ${percent(running.proc)}`);

await session.close();
console.log(report.join('\n'));
if (missed.length) {
  console.log(`goals missed: ${missed.join('; ')}`);
  process.exit(1);
}
console.log('all goals met');
