// Checks FHIR bundles against the official FHIR R4 JSON schema: the bundle and each of its
// resources. Prints every fault and exits 1 when there is one.
const fs = require('fs');
const Validator = require('@asymmetrik/fhir-json-schema-validator');

const validator = new Validator();
let faults = 0;
for (const file of process.argv.slice(2)) {
  const bundle = JSON.parse(fs.readFileSync(file, 'utf8'));
  const resources = [bundle, ...(bundle.entry || []).map((entry) => entry.resource)];
  for (const resource of resources) {
    const errors = validator.validate(resource, true);
    for (const error of errors) {
      ++faults;
      console.log(`${file}: ${resource.resourceType}: ${JSON.stringify(error)}`);
    }
  }
  console.log(`${file}: ${resources.length} resources checked`);
}
process.exit(faults === 0 ? 0 : 1);
