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
  assert.match(message, /names no place \(X must be a whole number/);
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

test('an address is read as the tools read it and written back in its own form', async () => {
  const page = await open('#2/-1/5');
  assert.equal(await place(page), '2/16777215/5');
  await waitFor(() => page.evaluate(() => location.hash === '#2/16777215/5'), 'the address');
});

test("the page's paste reaches the scanner's prompt", async () => {
  const page = await open('#2/10/10');
  await page.keyboard.press('m');
  await page.keyboard.press('g');
  await page.evaluate(() => {
    const data = new DataTransfer();
    data.setData('text/plain', '1100 2100');
    window.dispatchEvent(new ClipboardEvent('paste', {clipboardData: data}));
  });
  await sleep(100);
  await page.keyboard.press('Enter');
  await page.keyboard.press('m');
  await waitFor(async () => (await place(page)) === '2/1100/2100', 'the pasted place');
});

// Page pixel (x, y) of the canvas in CSS pixels of the viewport, and back.
async function canvasBox(page) {
  return page.evaluate(() => {
    const {left, top, width, height} = document.getElementById('screen').getBoundingClientRect();
    return {left, top, width, height};
  });
}
const onScreen = (box, x, y) => ({x: box.left + (x + 0.5) * box.width / 600,
  y: box.top + (y + 0.5) * box.height / 600});
const pagePixel = (box, point) => ({x: Math.floor((point.x - box.left) * 600 / box.width),
  y: Math.floor((point.y - box.top) * 600 / box.height)});
// The middle of the map cell `dx` cells right of the explorer and `dy` down.
const mapCell = (dx, dy) => ({x: MAP.x + (30 + dx) * 8 + 4, y: MAP.y + (30 + dy) * 8 + 4});

async function tapButton(page, words) {
  const [button] = await page.$$(`xpath/.//button[normalize-space()="${words}"]`);
  assert.ok(button, `no button "${words}"`);
  await button.tap();
}

test('on a phone the whole page shows, upright or on its side, with its buttons', async () => {
  for (const viewport of [{width: 390, height: 844}, {width: 844, height: 390}]) {
    const page = await open('#2/10/10', {...viewport, hasTouch: true, isMobile: true});
    const layout = await page.evaluate(() => {
      const inView = (element) => {
        const box = element.getBoundingClientRect();
        return box.left >= 0 && box.top >= 0 && box.right <= innerWidth &&
            box.bottom <= innerHeight && box.width > 0;
      };
      const buttons = [...document.querySelectorAll('#pad button, #save')];
      const root = document.documentElement;
      return {canvas: inView(document.getElementById('screen')),
        buttons: buttons.filter((b) => !inView(b) || b.offsetHeight < 44).map((b) => b.textContent),
        scrolls: root.scrollWidth > innerWidth || root.scrollHeight > innerHeight};
    });
    assert.deepEqual(layout, {canvas: true, buttons: [], scrolls: false}, JSON.stringify(viewport));
  }
});

test('touch walks, enters a system and searches through the on-screen keyboard', async () => {
  const page = await open('#2/16777214/10', {width: 390, height: 844, hasTouch: true,
    isMobile: true});
  const box = await canvasBox(page);
  // A tap five cells right walks there, across the world's edge.
  const cell = mapCell(5, 0);
  const tap = onScreen(box, cell.x, cell.y);
  await page.touchscreen.tap(tap.x, tap.y);
  await waitFor(async () => (await place(page)) === '2/3/10', 'the tap to walk five cells');

  // A swipe down walks a cell for each cell the finger crossed.
  const from = onScreen(box, 300, 200);
  const to = {x: from.x, y: from.y + 60};
  await page.touchscreen.touchStart(from.x, from.y);
  for (let step = 1; step <= 6; ++step) await page.touchscreen.touchMove(from.x, from.y + 10 * step);
  await page.touchscreen.touchEnd();
  const cells = Math.trunc((pagePixel(box, to).y - pagePixel(box, from).y) / 8);
  await waitFor(async () => (await place(page)) === `2/3/${10 + cells}`, 'the swipe to walk');

  // The level gate holds taps of the button as it holds Space.
  await sleep(600);
  await tapButton(page, 'Enter system');
  await waitFor(async () => (await place(page)) === `3/3/${10 + cells}/0/0`, 'the system');
  await sleep(600);
  await tapButton(page, 'Up a level');
  await waitFor(async () => (await place(page)) === `2/3/${10 + cells}`, 'the galaxy again');

  await tapButton(page, 'Search');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'typed');
  await page.type('#typed', 'name=geltayf');
  await page.keyboard.press('Enter');
  // The nearest match heads the list, on its fourth line (text row 11): a
  // tap on it travels there.
  const first = onScreen(box, 100, 10 * 8 + 4);
  await waitFor(async () => {
    await page.touchscreen.tap(first.x, first.y);
    await sleep(100);
    return (await place(page)) === '2/73/2';
  }, 'the search to find Geltayf and the tap to go there');
});

test('in the scanner a pinch zooms and a double tap travels', async () => {
  const page = await open('#2/10/10', {width: 390, height: 844, hasTouch: true, isMobile: true});
  const box = await canvasBox(page);
  await tapButton(page, 'Scanner');
  await sleep(100);
  // Two fingers spreading to twice as far apart: one zoom step, to two pixels a cell.
  const middle = onScreen(box, 300, 300);
  const fingers = [await page.touchscreen.touchStart(middle.x - 20, middle.y),
    await page.touchscreen.touchStart(middle.x + 20, middle.y)];
  for (let step = 1; step <= 4; ++step) {
    await fingers[0].move(middle.x - 20 - 5 * step, middle.y);
    await fingers[1].move(middle.x + 20 + 5 * step, middle.y);
  }
  for (const finger of fingers) await finger.end();
  await sleep(100);
  // At two pixels a cell around (10, 10), page pixel (400, 300) is cell (60, 10).
  const tap = onScreen(box, 400, 300);
  await page.touchscreen.tap(tap.x, tap.y);
  await page.touchscreen.tap(tap.x, tap.y);
  await waitFor(async () => (await place(page)) === '2/60/10', 'the double tap to travel');
});

test('a click on the map walks there', async () => {
  const page = await open('#2/500/500');
  const box = await canvasBox(page);
  const cell = mapCell(-7, 4);
  const click = onScreen(box, cell.x, cell.y);
  await page.mouse.click(click.x, click.y);
  await waitFor(async () => (await place(page)) === '2/493/504', 'the click to walk');
});

test('nothing went wrong in the console', () => {
  assert.deepEqual(pages.flatMap((opened) => opened.problems), []);
});
