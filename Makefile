# The front door for people; the CMake presets do the work.
#   make test   install what is missing, build every preset, run every test
#   make run    build, lay out dist/ and show the lock program at work (see README)
#   make dist   build and lay out dist/, with the zip and the installer of this version
#   make run-setting  build, lay out dist/ and show the settings tool at work
#   make bench  build and run every benchmark under Wine, write bench/RESULTS.md
#   make pictures  draw the programs' icons and logos again (lock/res, setting/res)
PRESETS := native win64 win32

.PHONY: deps build test dist run run-setting bench pictures clean

deps:
	@bash scripts/install-deps.sh

build: deps
	@set -e; for preset in $(PRESETS); do \
	    cmake --preset $$preset >/dev/null; \
	    cmake --build --preset $$preset; \
	done

test: build
	ctest --preset native
	ctest --preset win64

dist: build
	@bash scripts/make-dist.sh

run: dist
	@bash scripts/run-demo.sh

run-setting: dist
	@bash scripts/run-setting.sh

bench: deps
	@bash bench/run-bench.sh

pictures:
	@python3 scripts/draw-pictures.py

clean:
	rm -rf build dist
