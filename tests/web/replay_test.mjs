// The replay tool built another way against the native one: every route gives
// the kept trace and picture, and random scripts, from the start and from deep
// in the level, give the same trace, picture, messages and exit status. The
// other tool is the web build's, under node (a .js), or one built by another
// compiler, or for another processor and run here under EMULATOR (qemu-user).
// The web build's random scripts run in worker threads of this process, over
// the tool's WebAssembly compiled once (replay_worker.cjs); the rest as its
// users run it.
//   node replay_test.mjs OTHER_REPLAY NATIVE_REPLAY SOURCE_DIR [EMULATOR...]
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import { mkdtemp, readdir, readFile, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { basename, join } from 'node:path';
import { after, before, test } from 'node:test';
import { Worker } from 'node:worker_threads';

const [otherReplay, nativeReplay, sourceDir, ...emulator] = process.argv.slice(2);
const forNode = otherReplay.endsWith('.js');
const SCRIPTS = 200;
const SEED = Number(process.env.PLINKARD_SEED ?? 13);

let work;
before(async () => {
  work = await mkdtemp(join(tmpdir(), 'plinkard-replay-'));
});
after(async () => {
  await rm(work, { recursive: true, force: true });
});

// The command and arguments that run `program` with `args`.
function commandLine(program, args) {
  if (program !== otherReplay) return [program, args];
  if (forNode) return [process.execPath, [program, ...args]];
  if (emulator.length > 0) return [emulator[0], [...emulator.slice(1), program, ...args]];
  return [program, args];
}

// Runs one replay; answers its exit status, standard output and error.
function run(program, args, input) {
  const [command, argv] = commandLine(program, args);
  return new Promise((done) => {
    const child = execFile(command, argv, { encoding: 'buffer', maxBuffer: 1 << 28 }, (error, stdout, stderr) => {
      done({ status: error ? error.code : 0, stdout, stderr: stderr.toString() });
    });
    if (input !== undefined) child.stdin.end(input);
  });
}

// Runs the replay tool for node in a worker thread; answers as run() does.
let compiled;
function runInWorker(args) {
  compiled ??= readFile(otherReplay.replace(/\.js$/, '.wasm')).then((bytes) => new WebAssembly.Module(bytes));
  return compiled.then((module) => new Promise((done, failed) => {
    let result;
    const worker = new Worker(new URL('./replay_worker.cjs', import.meta.url),
      { workerData: { program: otherReplay, args, compiled: module } });
    worker.on('message', (message) => { result = message; });
    worker.on('error', failed);
    worker.on('exit', () => (result ? done(result) : failed(new Error(`${args.join(' ')}: no exit status`))));
  }));
}

// Runs `tasks` (functions answering promises) two at a time, as many as the cores.
async function inPairs(tasks) {
  let next = 0;
  const worker = async () => {
    while (next < tasks.length) await tasks[next++]();
  };
  await Promise.all([worker(), worker()]);
}

test('every route gives the kept trace and last frame', async () => {
  const routes = (await readdir(join(sourceDir, 'routes'))).filter((name) => name.endsWith('.txt'));
  assert.ok(routes.length >= 7, `only ${routes.length} routes`);
  await inPairs(routes.map((route) => async () => {
    const name = basename(route, '.txt');
    const trace = join(work, `${name}.csv`);
    const png = join(work, `${name}.png`);
    const result = await run(otherReplay, ['--trace', trace, '--png', png, join(sourceDir, 'routes', route)]);
    assert.equal(result.status, 0, `${route}: ${result.stderr}`);
    assert.ok((await readFile(trace)).equals(await readFile(join(sourceDir, 'tests/expected', `${name}.csv`))),
      `${route}: the trace differs`);
    assert.ok((await readFile(png)).equals(await readFile(join(sourceDir, 'tests/expected', `${name}.png`))),
      `${route}: the last frame differs`);
  }));
});

test('a script from standard input, its trace to standard output', async () => {
  const script = await readFile(join(sourceDir, 'routes/complete.txt'));
  const result = await run(otherReplay, ['--trace', '-', '-'], script);
  assert.equal(result.status, 0, result.stderr);
  assert.ok(result.stdout.equals(await readFile(join(sourceDir, 'tests/expected/complete.csv'))));
});

test('bad command lines and scripts fail alike', async () => {
  const bad = join(work, 'bad.txt');
  await writeFile(bad, '10 down Right\n20 tap Sapce\n');
  const endless = join(work, 'endless.txt');
  await writeFile(endless, '10 down Right\n');
  const paused = join(work, 'paused.txt');
  await writeFile(paused, '10 tap P\n');
  const cases = [[], ['--frames', '0', bad], ['--bogus', bad], [bad], [endless], ['--frames', '50', paused],
    [join(work, 'missing.txt')], ['--trace', join(work, 'no/such/dir.csv'), '--frames', '5', endless]];
  for (const args of cases) {
    const [other, native] = [await run(otherReplay, args), await run(nativeReplay, args)];
    assert.notEqual(native.status, 0, `${args.join(' ')}: the native tool succeeded`);
    assert.deepEqual([other.status, other.stderr], [native.status, native.stderr], args.join(' '));
  }
});

// A small seeded generator, so that a failing script can be made again.
function generator(seed) {
  let state = seed >>> 0;
  const next = () => {
    state = (state + 0x6d2b79f5) >>> 0;
    let t = state;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
  const below = (n) => Math.floor(next() * n);
  const pick = (list) => list[below(list.length)];
  return { next, below, pick };
}

// Mostly the keys that play, sometimes the measuring keys, and now and then
// codes that the game does not record. The pause comes on its own, below.
const KEYS = ['Left', 'Right', 'Up', 'Down', 'Ctrl', 'Space', 'Left', 'Right', 'Up', 'Down', 'Ctrl', 'Space',
  'W', 'A', 'S', 'D', 'T', 'F', 'G', 'H', 'Enter', '99', '100', '-1', '32767'];

// A script with its --frames: random events from `start` on, after the
// route's own events up to `start` when `prefix` is given.
function randomScript(random, prefix, start) {
  const lines = [];
  if (prefix) {
    for (const line of prefix) {
      const time = Number(line.split(/\s+/)[0]);
      if (time <= start && !/\bclose\b/i.test(line)) lines.push(line);
    }
  }
  const span = 500 + random.below(5000);
  const events = 5 + random.below(50);
  for (let i = 0; i < events; ++i) {
    const time = start + random.below(span);
    const action = random.pick(['down', 'down', 'up', 'up', 'tap']);
    lines.push(`${time} ${action} ${random.pick(KEYS)}`);
  }
  // Every third script pauses for a while; now and then it stays paused.
  if (random.below(3) === 0) {
    const pause = start + random.below(span);
    lines.push(`${pause} tap P`);
    if (random.below(8) !== 0) lines.push(`${pause + random.below(2000)} tap P`);
  }
  const frames = Math.ceil((start + span) / 10) + random.below(200);
  return { text: `${lines.join('\n')}\n`, frames };
}

test(`${SCRIPTS} random scripts give the same trace, picture and status as natively`, async () => {
  const route = (await readFile(join(sourceDir, 'routes/complete.txt'), 'utf8'))
    .split('\n').filter((line) => /^\s*\d/.test(line));
  const random = generator(SEED);
  const scripts = [];
  for (let i = 0; i < SCRIPTS; ++i) {
    // Half start at the start; the others follow the route to a point anywhere
    // in it (both flags, the door) and go on at random from there.
    const deep = i % 2 === 1;
    scripts.push(randomScript(random, deep ? route : null, deep ? random.below(17400) : 0));
  }
  let paused = 0;
  await inPairs(scripts.map((script, i) => async () => {
    const file = join(work, `random-${i}.txt`);
    await writeFile(file, script.text);
    const out = (side) => [join(work, `random-${i}-${side}.csv`), join(work, `random-${i}-${side}.png`)];
    const args = (side) => ['--trace', out(side)[0], '--png', out(side)[1], '--frames', String(script.frames), file];
    const [other, native] = await Promise.all([
      forNode ? runInWorker(args('other')) : run(otherReplay, args('other')), run(nativeReplay, args('native'))]);
    const where = `random script ${i} of seed ${SEED}`;
    assert.deepEqual([other.status, other.stderr], [native.status, native.stderr], where);
    assert.ok((await readFile(out('other')[0])).equals(await readFile(out('native')[0])), `${where}: the traces differ`);
    if (native.status === 3) {
      ++paused;
    } else {
      assert.equal(native.status, 0, `${where}: ${native.stderr}`);
      assert.ok((await readFile(out('other')[1])).equals(await readFile(out('native')[1])), `${where}: the pictures differ`);
    }
    await rm(out('other')[0]);
    await rm(out('native')[0]);
  }));
  // Scripts that end paused stop short of the picture; most must get there.
  assert.ok(paused < SCRIPTS / 4, `${paused} of ${SCRIPTS} scripts ended paused`);
});
