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
const moduleText = fs.readFileSync(modulePath, 'utf8');
// The page's own styles and scripts without their comments and indentation
// (every line break stays, so no statement runs into the next): the
// scripts' lines that are only a comment go, and the styles' comments.
// Neither file has a string or template that spans lines.
const lean = (text) => text.split('\n').map((line) => line.trim())
  .filter((line) => line !== '' && !line.startsWith('//')).join('\n');
const style = (text) => lean(text.replace(/\/\*[\s\S]*?\*\//g, ''));
const page = read('page.html')
  .replace('/*STYLE*/', () => style(read('page.css')))
  .replace('/*MODULE*/', () => script(moduleText))
  .replace('/*SCRIPT*/', () => script(lean(read('page.js')) + '\n' + lean(read('tools.js'))));
fs.writeFileSync(out, page);
