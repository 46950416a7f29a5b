// The web page's figures, measured in headless Chromium on this machine:
// the frame's own work (performance.now() around each frame, as the page
// records it) while scrolling and at rest, the first picture after the page
// starts loading, and the whole download compressed.
//   node bench/web_figures.mjs SITE_DIR
import {readdirSync, readFileSync} from 'node:fs';
import {loadavg} from 'node:os';
import {join} from 'node:path';
import {gzipSync} from 'node:zlib';
import {launchChromium, openPage, place, serveSite, sleep} from '../tests/web/harness.mjs';

const siteDir = process.argv[2] ?? 'build/web';
const LOADS = 7;

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted.length === 0 ? NaN : sorted[Math.floor(sorted.length / 2)];
};
const percentile = (values, share) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.floor(sorted.length * share))];
};
const ms = (value) => `${value.toFixed(3)} ms`;

function downloadBytes() {
  let total = 0;
  for (const file of readdirSync(siteDir)) {
    total += gzipSync(readFileSync(join(siteDir, file)), {level: 9}).length;
  }
  return total;
}

// The frame times recorded while `action` runs.
async function frameTimesDuring(page, action) {
  const before = (await page.evaluate(() => glyphversePage.figures())).frameTimes.length;
  await action();
  const times = (await page.evaluate(() => glyphversePage.figures())).frameTimes;
  return times.slice(Math.min(before, times.length));
}

const site = await serveSite(siteDir);
const chromium = await launchChromium();
try {
  const firstPictures = [];
  for (let load = 0; load < LOADS; ++load) {
    const {page} = await openPage(chromium.browser, site.url + '#2/1100/2100', undefined, false);
    await sleep(100);
    firstPictures.push((await page.evaluate(() => glyphversePage.figures())).firstPicture);
    await page.close();
  }

  const {page} = await openPage(chromium.browser, site.url + '#2/1100/2100');
  await sleep(1000);
  const resting = await frameTimesDuring(page, () => sleep(2000));
  const start = await place(page);
  const scrolling = await frameTimesDuring(page, async () => {
    await page.keyboard.down('ArrowRight');
    await sleep(3000);
    await page.keyboard.up('ArrowRight');
  });
  const end = await place(page);

  console.log(`load average ${loadavg().map((l) => l.toFixed(2)).join(' ')}`);
  console.log(`frame's own work while scrolling (${start} to ${end}, ${scrolling.length} ` +
              `frames): median ${ms(median(scrolling))}, 90th percentile ` +
              `${ms(percentile(scrolling, 0.9))}, slowest ${ms(Math.max(...scrolling))}`);
  console.log(`frame's own work at rest (${resting.length} frames): median ` +
              `${ms(median(resting))}`);
  console.log(`first picture after the page starts loading (${LOADS} fresh loads): median ` +
              `${median(firstPictures).toFixed(1)} ms, slowest ` +
              `${Math.max(...firstPictures).toFixed(1)} ms`);
  console.log(`whole download, gzip -9: ${downloadBytes()} bytes`);
} finally {
  await chromium.close();
  await site.close();
}
