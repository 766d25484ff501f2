// Runs the Khronos glTF validator over .glb files; fails on any error.
// node validate_gltf.mjs VALIDATOR_DIR FILE...
import { createRequire } from 'module';
import { readFileSync } from 'fs';
import path from 'path';

const [validatorDir, ...files] = process.argv.slice(2);
const require = createRequire(path.join(path.resolve(validatorDir), 'index.js'));
const validator = require('gltf-validator');

let failed = 0;
for (const file of files) {
    const report = await validator.validateBytes(new Uint8Array(readFileSync(file)), { maxIssues: 50 });
    const { numErrors, numWarnings } = report.issues;
    console.log(`${file}: ${numErrors} errors, ${numWarnings} warnings`);
    for (const m of report.issues.messages.filter(m => m.severity === 0))
        console.log(`  ${m.code} ${m.pointer ?? ''}: ${m.message}`);
    if (numErrors > 0 || report.info?.version !== '2.0')
        failed++;
}
console.log(`${files.length - failed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
