// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
// node validate.mjs BOM.json: checks a CycloneDX 1.5 JSON document against
// the schema that the CycloneDX library ships, strictly, and every licence
// expression in it against the SPDX expression grammar and licence list,
// where deprecated identifiers do not count.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { Validation } from '@cyclonedx/cyclonedx-library';

const require = createRequire(import.meta.url);
const parseExpression = require('spdx-expression-parse');
const deprecated = new Set(require('spdx-license-ids/deprecated.json'));

const text = readFileSync(process.argv[2], 'utf8');
const errors = await new Validation.JsonStrictValidator('1.5').validate(text);
if (errors !== null) {
    console.error(JSON.stringify(errors, null, 2));
    process.exit(1);
}

// The licence identifiers of a parsed expression.
function identifiers(node) {
    return node.license ? [node.license] : [...identifiers(node.left), ...identifiers(node.right)];
}

const bom = JSON.parse(text);
const expressionProblems = [];
for (const component of [bom.metadata.component, ...bom.components]) {
    for (const { expression } of component.licenses ?? []) {
        try {
            const old = identifiers(parseExpression(expression ?? '')).filter((id) => deprecated.has(id));
            if (old.length > 0)
                expressionProblems.push(`${component.name}: "${expression}" uses deprecated ${old.join(', ')}`);
        } catch (error) {
            expressionProblems.push(`${component.name}: "${expression}" is no SPDX expression (${error.message})`);
        }
    }
}
if (expressionProblems.length > 0) {
    console.error(expressionProblems.join('\n'));
    process.exit(1);
}
console.log(`${process.argv[2]}: valid CycloneDX 1.5, every licence a valid SPDX expression`);
