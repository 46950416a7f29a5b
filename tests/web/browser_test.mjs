// The explorer's page in headless Chromium, served from this machine: keys
// through the DevTools protocol, the canvas compared with the snapshot
// tool's frame after the same keys, links to places, the end and a new
// start, and no error in the console.
//   node browser_test.mjs SITE_DIR SNAPSHOT_TOOL
import assert from 'node:assert/strict';
import {after, before, test} from 'node:test';
import {MAP, PLACE_ROWS, canvasPicture, differingPixels, launchChromium, openPage, place,
  serveSite, sleep, snapshotPicture, tapUntilMoved, waitFor, walkTo} from './harness.mjs';

const [siteDir, snapshotTool] = process.argv.slice(2);
let site;
let chromium;
const pages = [];

async function open(address, viewport) {
  const opened = await openPage(chromium.browser, site.url + address, viewport);
  pages.push(opened);
  return opened.page;
}

before(async () => {
  assert.ok(siteDir && snapshotTool, 'usage: node browser_test.mjs SITE_DIR SNAPSHOT_TOOL');
  site = await serveSite(siteDir);
  chromium = await launchChromium();
});

after(async () => {
  await chromium?.close();
  await site?.close();
});

test('keys move the explorer as in the snapshot tool, and the address follows', async () => {
  // Room for twice the page under the bar: the canvas is scaled by 2.
  const page = await open('', {width: 1300, height: 1400});
  assert.equal(await page.evaluate(() => document.getElementById('screen').style.width), '1200px');
  assert.equal(await place(page), '2/10/10');
  const entries = await page.evaluate(() => history.length);
  await walkTo(page, '2/13/12');
  assert.equal(await tapUntilMoved(page, 'Space'), '3/13/12/0/0');
  await walkTo(page, '3/13/12/1/0');

  const shown = await canvasPicture(page);
  const expected = snapshotPicture(snapshotTool, '10,10',
      'wait 30; hold right 1; hold right 1; hold right 1; hold down 1; hold down 1; ' +
      'hold space 1; hold right 1');
  assert.equal(differingPixels(shown, expected, MAP), 0, 'the map differs from the snapshot');
  assert.equal(differingPixels(shown, expected, PLACE_ROWS), 0, 'the text display differs');

  await waitFor(() => page.evaluate(() => location.hash === '#3/13/12/1/0'), 'the address');
  assert.equal(await page.evaluate(() => history.length), entries, 'moving filled the history');
});

test('an address opens its place, below the galaxy too', async () => {
  const page = await open('#3/1100/2100/4/7');
  assert.equal(await place(page), '3/1100/2100/4/7');
  const shown = await canvasPicture(page);
  // Walking there: into the system at (1100, 2100), then to (4, 7).
  const expected = snapshotPicture(snapshotTool, '1100,2100',
      'wait 30; hold space 1; hold right 4; hold down 7');
  assert.equal(differingPixels(shown, expected, PLACE_ROWS), 0, 'the text display differs');
  assert.equal(differingPixels(shown, expected, MAP), 0, 'the map differs');
});

test('an address that is no place starts at (10, 10) and the page says why', async () => {
  const page = await open('#2/banana/7');
  assert.equal(await place(page), '2/10/10');
  const message = await page.evaluate(() => document.getElementById('problem').textContent);
  assert.match(message, /names no place \(X must be a number from 0 to 16777215\)/);
  // A NUL in the address is part of it, not its end.
  const nul = await open('#2/1100/2100%00junk');
  assert.equal(await place(nul), '2/10/10');
  assert.match(await nul.evaluate(() => document.getElementById('problem').textContent),
      /names no place/);
});

test('a key held when the window loses the keyboard is released', async () => {
  const page = await open('#2/500/500');
  await page.keyboard.down('ArrowRight');
  await waitFor(async () => (await place(page)) !== '2/500/500', 'the held arrow to move');
  await page.evaluate(() => window.dispatchEvent(new Event('blur')));
  const stopped = await place(page);
  await sleep(300);
  assert.equal(await place(page), stopped);
  await page.keyboard.up('ArrowRight');
});

test('Esc ends the explorer, and it starts again where it ended', async () => {
  const page = await open('#2/700/800');
  await walkTo(page, '2/700/799');
  await page.keyboard.press('Escape');
  await waitFor(() => page.evaluate(() => !document.getElementById('ended').hidden), 'the end');
  assert.equal(await place(page), '');
  assert.equal(await page.evaluate(() => location.hash), '#2/700/799');
  await page.click('#again');
  await waitFor(async () => (await place(page)) === '2/700/799', 'the new start');
});

test('a bookmark is kept in the browser, survives a reload and takes the explorer back', async () => {
  const page = await open('#2/73/2');
  await page.keyboard.press('b');
  await waitFor(() => page.evaluate(() => Object.keys(localStorage).some(
      (key) => key.startsWith('glyphverse.bookmark.') &&
          localStorage.getItem(key).includes('\t2/73/2\tGeltayf 5'))), 'the bookmark in storage');
  await page.evaluate(() => { location.hash = '#2/500/500'; });
  await page.reload();
  await waitFor(async () => (await place(page)) === '2/500/500', 'the start after the reload');
  await page.keyboard.down('Shift');
  await page.keyboard.press('KeyB');
  await page.keyboard.up('Shift');
  await sleep(200);
  await page.keyboard.press('Enter');
  await waitFor(async () => (await place(page)) === '2/73/2', 'the way back to the bookmark');
});

test('nothing went wrong in the console', () => {
  assert.deepEqual(pages.flatMap((opened) => opened.problems), []);
});
