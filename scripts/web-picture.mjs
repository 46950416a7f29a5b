// The README's pictures of the web page: headless Chromium shows the site at
// a place of the galaxy, in a desktop window or on a phone held upright
// (390 x 844 CSS pixels, two device pixels each, touch), and the whole
// window is saved as a PNG.
//   node scripts/web-picture.mjs SITE_DIR OUT.png [phone]
import {launchChromium, openPage, serveSite, sleep} from '../tests/web/harness.mjs';

const VIEWPORTS = {
  desktop: {width: 720, height: 720},
  phone: {width: 390, height: 844, deviceScaleFactor: 2, hasTouch: true, isMobile: true},
};
const [siteDir, out, kind = 'desktop'] = process.argv.slice(2);
if (!siteDir || !out || !(kind in VIEWPORTS)) {
  console.error('usage: node scripts/web-picture.mjs SITE_DIR OUT.png [phone]');
  process.exit(2);
}
const site = await serveSite(siteDir);
const chromium = await launchChromium();
try {
  const {page, problems} =
      await openPage(chromium.browser, site.url + '#2/1100/2100', VIEWPORTS[kind]);
  await sleep(1000);  // a steady frame rate on the text display
  await page.screenshot({path: out});
  if (problems.length > 0) throw new Error(problems.join('\n'));
} finally {
  await chromium.close();
  await site.close();
}
