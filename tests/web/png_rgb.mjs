// Writes a PNG's pixels as raw red, green and blue bytes, row by row:
//   node png_rgb.mjs IN.png OUT.rgb
import {readFileSync, writeFileSync} from 'node:fs';
import {PNG} from 'pngjs';

const [input, output] = process.argv.slice(2);
if (!input || !output) {
  console.error('usage: node png_rgb.mjs IN.png OUT.rgb');
  process.exit(2);
}
const png = PNG.sync.read(readFileSync(input));  // always decoded to RGBA
const rgb = Buffer.alloc(png.width * png.height * 3);
for (let i = 0, j = 0; i < png.data.length; i += 4, j += 3) {
  rgb[j] = png.data[i];
  rgb[j + 1] = png.data[i + 1];
  rgb[j + 2] = png.data[i + 2];
}
writeFileSync(output, rgb);
