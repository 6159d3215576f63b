// Renders a GLB file once with three.js in headless Chromium, lit and seen a
// little from the side, and saves the picture as a PNG file: an independent
// viewer's look at an exported figure.
//
//   node render_figure.js NODE_MODULES MODEL.glb PICTURE.png
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');

const [modules, model, picture] = process.argv.slice(2);
const { chromium } = require(path.resolve(modules, 'playwright-core'));
const three = path.resolve(modules, 'three');

// The page, served from an address of its own: three.js from the installed
// package, the model from its file.
const site = 'http://figure.invalid/';
const page = `<!DOCTYPE html>
<html><body style="margin:0">
<script type="importmap">
{"imports": {"three": "${site}three/build/three.module.js",
             "three/addons/": "${site}three/examples/jsm/"}}
</script>
<script type="module">
import * as THREE from 'three';
import { GLTFLoader } from 'three/addons/loaders/GLTFLoader.js';

const size = 640;
const renderer = new THREE.WebGLRenderer({ antialias: true, preserveDrawingBuffer: true });
renderer.setSize(size, size);
renderer.outputColorSpace = THREE.SRGBColorSpace;
document.body.appendChild(renderer.domElement);

const scene = new THREE.Scene();
scene.background = new THREE.Color(0xdfe6ee);
scene.add(new THREE.HemisphereLight(0xffffff, 0x8090a0, 1.6));
const sun = new THREE.DirectionalLight(0xffffff, 2.2);
sun.position.set(-0.6, 1, 1.2);
scene.add(sun);

new GLTFLoader().load('${site}model.glb', (gltf) => {
  scene.add(gltf.scene);
  // Seen from the front (model space looks along -z), turned 20 degrees to the left.
  const box = new THREE.Box3().setFromObject(gltf.scene);
  const centre = box.getCenter(new THREE.Vector3());
  const extent = box.getSize(new THREE.Vector3()).length();
  const camera = new THREE.PerspectiveCamera(30, 1, extent / 100, extent * 10);
  const turn = -20 * Math.PI / 180;
  const distance = extent * 1.7;
  camera.position.set(centre.x + distance * Math.sin(turn), centre.y + extent * 0.15,
                      centre.z + distance * Math.cos(turn));
  camera.lookAt(centre);
  renderer.render(scene, camera);
  document.title = 'rendered';
}, undefined, (error) => { document.title = 'failed: ' + error; });
</script>
</body></html>`;

async function main() {
  // A fresh profile folder (Chromium's --user-data-dir), removed afterwards.
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'figure-picture-'));
  const browser = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
           '--disable-component-update', '--disable-sync',
           // WebGL on the CPU, there being no GPU.
           '--use-angle=swiftshader', '--enable-unsafe-swiftshader'],
    viewport: { width: 640, height: 640 },
  });
  try {
    const tab = browser.pages()[0] || await browser.newPage();
    await tab.route(site + '**', (route) => {
      const name = route.request().url().slice(site.length);
      if (name === '') return route.fulfill({ contentType: 'text/html', body: page });
      if (name === 'model.glb') return route.fulfill({ body: fs.readFileSync(model) });
      if (name.startsWith('three/')) {
        const file = path.join(three, name.slice('three/'.length));
        return route.fulfill({ contentType: 'text/javascript', body: fs.readFileSync(file) });
      }
      return route.fulfill({ status: 404, body: '' });
    });
    await tab.goto(site);
    await tab.waitForFunction(() => document.title !== '', null, { timeout: 60000 });
    const title = await tab.title();
    if (title !== 'rendered') throw new Error(title);
    await tab.locator('canvas').screenshot({ path: picture });
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error(error.message || error);
  process.exit(1);
});
