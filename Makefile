# The front door for people; the CMake presets do the work.
#   make test   install what is missing, build every preset, run every test
#   make run    build and lay out dist/ (see README)
#   make dist   build and lay out dist/
PRESETS := native win64 win32

.PHONY: deps build test dist run clean

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

clean:
	rm -rf build dist
