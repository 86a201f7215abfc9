# Vintaro Kvimeter: the two commands of the README and a few more.
#   make test    install what is missing, build both targets, run every test
#   make run     build and open the tool on the demo logs
#   make bench   run the benchmarks
#   make screenshot   the pictures in docs/: the window on the demo logs, the HTML page
#   make fuzz    run each fuzz target for FUZZ_SECONDS (default 300), or for FUZZ_RUNS
#                executions; FUZZ_PRESET=fuzz-ubsan builds them without ASan, for long runs
#   make dist    the release archive dist/kvimeter-2.2-win64.zip

JOBS := $(shell nproc)
DEMO := demo
DEMO_MONTHS := 2026-09 2026-10 2026-11
# A month with the faults a real log collects, offered by make run after the clean ones.
DEMO_FAULTS_MONTH := 2026-12

.PHONY: all deps build build-native build-windows test run demo bench screenshot fuzz dist format clean

all: build

deps:
	scripts/install-deps.sh all

build: build-native build-windows

build-native:
	scripts/install-deps.sh native
	cmake --preset linux >/dev/null
	cmake --build --preset linux -j $(JOBS)

build-windows: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS)

test:
	scripts/test.sh

demo: build-native
	scripts/demo-logs.sh $(DEMO) $(DEMO_MONTHS) -- build/linux/bench/genlog
	scripts/demo-logs.sh $(DEMO) --faults $(DEMO_FAULTS_MONTH) -- build/linux/bench/genlog
	DEMO_SEED=2 scripts/demo-logs.sh $(DEMO)/namesti $(DEMO_MONTHS) -- build/linux/bench/genlog
	cp scripts/demo/kampan-demo.csv scripts/demo/panely.csv scripts/demo/publikum.csv $(DEMO)/

run: demo build-windows
	scripts/run-window.sh $(DEMO) $(lastword $(DEMO_MONTHS))

bench: build-native build-windows
	scripts/bench.sh
	scripts/bench-campaign.sh
	scripts/bench-window.sh

screenshot: demo build-windows
	scripts/screenshot.sh $(DEMO) docs/screenshot.png
	scripts/screenshot-campaign.sh $(DEMO) docs/campaign-dialog.png
	KV_UPDATE_PICTURES=1 ctest --preset linux -R BrowserTest

dist: build-windows
	cmake --build --preset windows --target dist

FUZZ_SECONDS ?= 300
fuzz:
	scripts/fuzz.sh $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build dist
