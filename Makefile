# Larkwell's entry points.
#   make demo     build the program (and only what its run needs) and run it under Wine against
#                 the demo web application
#                 (with a display: until its window is closed; without: a scripted tour with
#                 screenshots under build/<tree>/demo)
#   make test     install what is missing, build the three trees (and win64 where it is
#                 needed, see below), run every test
#   make build    build the three trees (make win, make host, make tsan, make win64: one tree)
#   make test-win, make test-host, make test-tsan, make test-win64: the tests of one tree
#   make clean    remove every build tree (and the Wine prefix inside build/win)
#   make bench    the benchmarks (not part of make test): builds build/bench (optimised, no
#                 sanitizers), runs every figure producer and prints the table of ratios
#   make package [ENGINE_RUNTIME=<folder>]
#                 build the Windows tree and build/win/package/Larkwell-<version>-setup.exe,
#                 carrying the engine runtime (libcef.dll and its files) from <folder>, refused
#                 unless its libcef.dll is a 32-bit x86 DLL with every engine export the program
#                 loads; without it the installer tells the user to put the runtime next to the
#                 program
#
# Three build trees under build/:
#   win   the product: 32-bit Windows, cross-compiled; tests run under Wine and Xvfb
#   host  the portable layers on Linux under AddressSanitizer and UBSan
#   tsan  the concurrency tests on Linux under ThreadSanitizer
# and, only where the machine's kernel refuses 32-bit programs:
#   win64 the same Windows code for 64-bit x86, whose tests and demo run under 64-bit Wine
# A tree is configured once (when it has no build.ninja); after that ninja rebuilds what
# changed and re-runs CMake itself when a CMakeLists.txt changes.

# The trees are the CMake presets of the same names (CMakePresets.json, binary folders
# build/<tree>): these targets are thin aliases over them, so an IDE or
# `cmake --workflow --preset <tree>` sees exactly the trees make builds.
BUILD := build
TREES := win host tsan
# win64: the same Windows code built for 64-bit x86, never shipped. Where this machine's kernel
# refuses 32-bit programs, Wine cannot run the product's tree, so make test and make demo build
# this one and run the Windows programs from it (scripts/wine-tree.sh decides and says why).
ALL_TREES := $(TREES) win64

.PHONY: demo test build deps clean bench package $(ALL_TREES) $(addprefix test-,$(ALL_TREES))

# Where Wine cannot run the product's programs, its tree's test programs would only be skipped:
# make test then builds there just what is checked without Wine (the programs' imports, the
# stand-in's exports, what packaging takes), and builds and runs the Windows tests in win64.
test: host tsan
	@trees="$(TREES)"; \
	wine_tree=$$(scripts/wine-tree.sh) || exit 1; \
	if [ "$$wine_tree" = win ]; then \
	  $(MAKE) --no-print-directory win || exit 1; \
	else \
	  $(MAKE) --no-print-directory $(BUILD)/win/build.ninja || exit 1; \
	  cmake --build --preset win --target checked_without_wine || exit 1; \
	  $(MAKE) --no-print-directory $$wine_tree || exit 1; \
	  trees="$$trees $$wine_tree"; \
	fi; \
	status=0; \
	for tree in $$trees; do \
	  echo "=== tests: $$tree"; \
	  scripts/run-tests.sh $(BUILD)/$$tree || status=1; \
	done; \
	scripts/test-summary.sh $$(printf '$(BUILD)/%s ' $$trees); \
	exit $$status

build: $(TREES)

# The demo builds only its programs, in the tree whose programs Wine runs here.
demo: | deps
	@wine_tree=$$(scripts/wine-tree.sh) || exit 1; \
	$(MAKE) --no-print-directory $(BUILD)/$$wine_tree/build.ninja || exit 1; \
	cmake --build --preset $$wine_tree --target demo_programs || exit 1; \
	scripts/demo.sh $(BUILD)/$$wine_tree

bench: | deps
	scripts/bench.sh $(BUILD)

# A relative ENGINE_RUNTIME is taken from here, not from the build tree the installer is made in.
package: win
	@runtime="$(ENGINE_RUNTIME)"; \
	if [ -n "$$runtime" ]; then runtime=$$(realpath -e "$$runtime") || exit 1; fi; \
	ENGINE_RUNTIME="$$runtime" cmake --build --preset win --target installer

deps:
	scripts/install-deps.sh

$(BUILD)/%/build.ninja: | deps
	cmake --preset $*

$(ALL_TREES): %: $(BUILD)/%/build.ninja
	cmake --build --preset $*

$(addprefix test-,$(ALL_TREES)): test-%: %
	scripts/run-tests.sh $(BUILD)/$*

clean:
	rm -rf $(BUILD)
