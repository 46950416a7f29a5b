// What the browser tests and the web figures share: the site served from
// this machine, headless Chromium (the system's), and the page's explorer
// driven and read through the DevTools protocol.
import {execFileSync} from 'node:child_process';
import {mkdtempSync, readFileSync, rmSync} from 'node:fs';
import {readFile} from 'node:fs/promises';
import {createServer} from 'node:http';
import {tmpdir} from 'node:os';
import {extname, join, resolve, sep} from 'node:path';
import {PNG} from 'pngjs';
import puppeteer from 'puppeteer-core';

const CONTENT_TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
};

// The site on 127.0.0.1 at a free port, as a static host serves it.
export async function serveSite(siteDir) {
  const root = resolve(siteDir);
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://host').pathname);
    const file = resolve(root, '.' + (path === '/' ? '/index.html' : path));
    try {
      if (!file.startsWith(root + sep)) throw new Error('outside the site');
      const body = await readFile(file);
      response.writeHead(200, {
        'Content-Type': CONTENT_TYPES[extname(file)] ?? 'application/octet-stream',
        'Cache-Control': 'no-store',
      });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => new Promise((done) => server.close(done)),
  };
}

// Headless Chromium with a profile of its own, kept off the network.
export async function launchChromium() {
  const profile = mkdtempSync(join(tmpdir(), 'glyphverse-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  return {
    browser,
    close: async () => {
      await browser.close();
      rmSync(profile, {recursive: true, force: true});
    },
  };
}

// A page at `url`, its console errors, failed loads and uncaught exceptions
// collected in `problems`. `cache` false loads everything afresh.
export async function openPage(browser, url, viewport = {width: 800, height: 800}, cache = true) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  await page.setCacheEnabled(cache);
  const problems = [];
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(`console: ${message.text()}`);
  });
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('requestfailed', (request) => problems.push(`failed: ${request.url()}`));
  page.on('response', (response) => {
    if (response.status() >= 400) problems.push(`${response.status()}: ${response.url()}`);
  });
  await page.goto(url);
  await waitFor(() => place(page).then((text) => text !== ''), 'the explorer to start');
  return {page, problems};
}

export async function waitFor(condition, what, timeoutMs = 5000) {
  const end = Date.now() + timeoutMs;
  while (Date.now() < end) {
    if (await condition()) return;
    await sleep(10);
  }
  throw new Error(`timed out waiting for ${what}`);
}

export const sleep = (ms) => new Promise((done) => setTimeout(done, ms));

// Where the explorer is, as a place text ('' when it has ended).
export const place = (page) => page.evaluate(() => glyphversePage.place());

// Taps `key` until the place changes, and returns the new place. A tap is
// held for a frame or two; with Shift held the move gate stays shut for a
// tenth of a second after a move, and the level gate for half a second, so
// a tap moves or steps a level once, or not at all while its gate is shut.
export async function tapUntilMoved(page, key) {
  const before = await place(page);
  await page.keyboard.down('Shift');
  try {
    for (let tries = 0; tries < 50; ++tries) {
      await Promise.all([page.keyboard.down(key), page.keyboard.up(key)]);
      const end = Date.now() + 150;
      while (Date.now() < end) {
        const now = await place(page);
        if (now !== before) return now;
        await sleep(5);
      }
    }
  } finally {
    await page.keyboard.up('Shift');
  }
  throw new Error(`${key} did not move the explorer from ${before}`);
}

// Walks to `target`, a place text on the explorer's level, by taps: should
// a slow key release let a tap move twice, the next taps come back.
export async function walkTo(page, target) {
  const position = (text) => text.split('/').slice(-2).map(Number);
  const [targetX, targetY] = position(target);
  for (let taps = 0; taps < 100; ++taps) {
    const here = await place(page);
    if (here === target) return;
    const [x, y] = position(here);
    const key = x < targetX ? 'ArrowRight' : x > targetX ? 'ArrowLeft'
              : y < targetY ? 'ArrowDown' : 'ArrowUp';
    await tapUntilMoved(page, key);
  }
  throw new Error(`could not walk to ${target}`);
}

// The canvas's 600 x 600 pixels as a decoded PNG, once both pages show the
// same place.
export async function canvasPicture(page) {
  await sleep(250);
  const url = await page.evaluate(() => document.getElementById('screen').toDataURL('image/png'));
  return PNG.sync.read(Buffer.from(url.slice(url.indexOf(',') + 1), 'base64'));
}

// The snapshot tool's last frame after `script` from galaxy cell `start` ('X,Y').
export function snapshotPicture(snapshotTool, start, script) {
  const dir = mkdtempSync(join(tmpdir(), 'glyphverse-snapshot-'));
  try {
    const out = join(dir, 'frame.png');
    execFileSync(snapshotTool, ['--start', start, '--script', script, '--out', out]);
    return PNG.sync.read(readFileSync(out));
  } finally {
    rmSync(dir, {recursive: true, force: true});
  }
}

// How many pixels of the rectangle differ between two decoded pictures.
export function differingPixels(a, b, {x, y, width, height}) {
  let count = 0;
  for (let row = y; row < y + height; ++row) {
    for (let column = x; column < x + width; ++column) {
      const i = (row * a.width + column) * 4;
      const j = (row * b.width + column) * 4;
      if (a.data[i] !== b.data[j] || a.data[i + 1] !== b.data[j + 1] ||
          a.data[i + 2] !== b.data[j + 2]) {
        ++count;
      }
    }
  }
  return count;
}

// The map's 61 x 61 cells of 8 x 8 pixels, and the text display's rows 2 to
// 5 (position, seed, level, nebula intensity; row 1 has the frame rate).
export const MAP = {x: 50, y: 50, width: 488, height: 488};
export const PLACE_ROWS = {x: 0, y: 8, width: 600, height: 32};
