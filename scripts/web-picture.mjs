// The README's picture of the web page: headless Chromium shows the site at
// a place of the galaxy, and the whole window is saved as a PNG.
//   node scripts/web-picture.mjs SITE_DIR OUT.png
import {launchChromium, openPage, serveSite, sleep} from '../tests/web/harness.mjs';

const [siteDir, out] = process.argv.slice(2);
if (!siteDir || !out) {
  console.error('usage: node scripts/web-picture.mjs SITE_DIR OUT.png');
  process.exit(2);
}
const site = await serveSite(siteDir);
const chromium = await launchChromium();
try {
  const {page, problems} =
      await openPage(chromium.browser, site.url + '#2/1100/2100', {width: 720, height: 720});
  await sleep(1000);  // a steady frame rate on the text display
  await page.screenshot({path: out});
  if (problems.length > 0) throw new Error(problems.join('\n'));
} finally {
  await chromium.close();
  await site.close();
}
