// Runs the glTF validator on the files named after the folder of the installed
// npm packages. Prints every issue of each file's report; exits 0 when no file
// has an error or a warning, 1 when one has, 2 when validating failed.
//
//   node validate.js NODE_MODULES FILE...
'use strict';

const fs = require('fs');
const path = require('path');

const [modules, ...files] = process.argv.slice(2);
const severities = ['error', 'warning', 'info', 'hint'];

async function main() {
  const validator = require(path.resolve(modules, 'gltf-validator'));
  let clean = true;
  for (const file of files) {
    const report = await validator.validateBytes(new Uint8Array(fs.readFileSync(file)), {
      uri: path.basename(file),
      maxIssues: 100,
    });
    const issues = report.issues;
    console.log(`${file}: ${issues.numErrors} errors, ${issues.numWarnings} warnings, ` +
                `${issues.numInfos} infos, ${issues.numHints} hints`);
    for (const message of issues.messages) {
      console.log(`  ${severities[message.severity]} ${message.code} ${message.pointer || ''}: ` +
                  message.message);
    }
    if (issues.numErrors > 0 || issues.numWarnings > 0) clean = false;
  }
  return clean ? 0 : 1;
}

main().then((status) => process.exit(status), (error) => {
  console.error(error);
  process.exit(2);
});
