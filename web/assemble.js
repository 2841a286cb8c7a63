// Puts the page together: the template with its styles, the calculators'
// module (the WebAssembly inside it) and the page's script, into one file.
//   node web/assemble.js WEB_DIR MODULE_JS OUT_HTML
'use strict';
const fs = require('fs');
const path = require('path');
const [dir, modulePath, out] = process.argv.slice(2);
const read = (name) => fs.readFileSync(path.join(dir, name), 'utf8');
// Nothing inside a script may end it early.
const script = (text) => text.replace(/<\/(script)/gi, '<\\/$1');
// Node's part of the module is left out: the page never runs under node,
// and the module file itself stays for the node tests.
// Its WebAssembly goes into the page gzip-compressed (base64 of the
// compressed bytes, in an element of its own), about a third of the size of
// the plain base64 the module carries; page.js unpacks it through the
// browser's DecompressionStream and hands it to the module.
const zlib = require('zlib');
const dataUri = 'data:application/octet-stream;base64,';
const fullModule = fs.readFileSync(modulePath, 'utf8');
// (The WebAssembly's base64 starts "AGFzbQ", its magic number "\0asm".)
const start = fullModule.indexOf(dataUri + 'AGFzbQ') + dataUri.length;
const end = fullModule.indexOf('"', start);
if (start < dataUri.length || end < 0) throw new Error(modulePath + ': no WebAssembly inside');
const wasm = Buffer.from(fullModule.slice(start, end), 'base64');
const packed = zlib.gzipSync(wasm, { level: 9 }).toString('base64');
const moduleText = fullModule.slice(0, start) + fullModule.slice(end);
// The page's own styles and scripts without their comments and indentation
// (every line break stays, so no statement runs into the next): the
// scripts' lines that are only a comment go, and the styles' comments.
// Neither file has a string or template that spans lines.
const lean = (text) => text.split('\n').map((line) => line.trim())
  .filter((line) => line !== '' && !line.startsWith('//')).join('\n');
const style = (text) => lean(text.replace(/\/\*[\s\S]*?\*\//g, ''));
const page = read('page.html')
  .replace('/*STYLE*/', () => style(read('page.css')))
  .replace('/*WASM*/', () => packed)
  .replace('/*MODULE*/', () => script(moduleText))
  .replace('/*SCRIPT*/', () => script(lean(read('page.js')) + '\n' + lean(read('tools.js'))));
fs.writeFileSync(out, page);
