// A static file server for the game's page, on 127.0.0.1 only.
//   node web/serve.mjs DIRECTORY [PORT]    (no PORT: any free one)
// The tests start it in-process with serve().
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
};

// Resolves to the listening server; its address() tells the port.
export function serve(directory, port = 0) {
  const root = resolve(directory);
  const server = createServer(async (request, response) => {
    let path;
    try {
      path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    } catch {
      response.writeHead(400).end();
      return;
    }
    if (path.endsWith('/')) path += 'plinkard.html';
    const file = normalize(join(root, path));
    if (request.method !== 'GET' && request.method !== 'HEAD') {
      response.writeHead(405).end();
      return;
    }
    if (!file.startsWith(root + sep)) {
      response.writeHead(404).end();
      return;
    }
    try {
      const body = await readFile(file);
      response.writeHead(200, {
        'Content-Type': TYPES[extname(file)] ?? 'application/octet-stream',
        'Content-Length': body.length,
        'Cache-Control': 'no-cache',
      });
      response.end(request.method === 'HEAD' ? undefined : body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, '127.0.0.1', () => done(server));
  });
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const [directory, port] = process.argv.slice(2);
  if (!directory) {
    console.error('usage: node serve.mjs DIRECTORY [PORT]');
    process.exit(2);
  }
  const server = await serve(directory, Number(port ?? 0));
  console.log(`Plinkard: open http://127.0.0.1:${server.address().port}/plinkard.html (Ctrl+C stops the server)`);
}
