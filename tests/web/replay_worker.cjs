// Runs the replay tool for node once, in a worker thread of the test's own
// process rather than in a node process of its own: the tool's code is loaded
// afresh (a fresh program's state) over the WebAssembly module the test
// compiled once, and what it writes to standard output and error comes back
// with its exit status.
//   workerData: { program: the tool's .js, args: its command line, compiled: its WebAssembly.Module }
const { parentPort, workerData } = require('node:worker_threads');
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');

const { program, args, compiled } = workerData;

// The tool writes its standard streams with fs.writeSync on descriptors 1
// and 2, and closes them when it ends: they are this process's own.
const output = { 1: [], 2: [] };
const writeSync = fs.writeSync;
fs.writeSync = (fd, buffer, offset, length, position) => {
  if (fd !== 1 && fd !== 2) return writeSync(fd, buffer, offset, length, position);
  const bytes = typeof buffer === 'string'
    ? Buffer.from(buffer)
    : Buffer.from(buffer.buffer, buffer.byteOffset + (offset ?? 0), length ?? buffer.byteLength - (offset ?? 0));
  output[fd].push(Buffer.from(bytes));
  return bytes.length;
};
const closeSync = fs.closeSync;
fs.closeSync = (fd) => (fd > 2 ? closeSync(fd) : undefined);

// The tool reads these from a global Module before its own code runs.
globalThis.Module = {
  arguments: args,
  thisProgram: program,
  instantiateWasm(imports, receive) {
    const instance = new WebAssembly.Instance(compiled, imports);
    receive(instance, compiled);
    return instance.exports;
  },
  // Its exit: sent back instead of ending the process.
  quit(status, exit) {
    parentPort.postMessage({ status, stdout: Buffer.concat(output[1]), stderr: Buffer.concat(output[2]).toString() });
    throw exit;
  },
};
globalThis.require = require;
globalThis.__dirname = path.dirname(program);
vm.runInThisContext(fs.readFileSync(program, 'utf8'), { filename: program });
