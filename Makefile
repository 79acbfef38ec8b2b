# make run  — installs what is missing, builds and starts the program in $(PRACTICE)
# make test — installs what is missing, builds and runs every test
# make bench — builds the benchmarks (run them by hand from build/bench)
# make format — lays out every C++ file as .clang-format says (make test fails on one that differs)

PRACTICE ?= practice
BUILD    ?= build
JOBS     ?= $(shell nproc)

.PHONY: run test bench deps configure format format-check

deps:
	@bash scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS) > /dev/null

run: configure
	@cmake --build $(BUILD) --target nidora -j $(JOBS)
	@mkdir -p "$(PRACTICE)"
	@cd "$(PRACTICE)" && "$(CURDIR)/$(BUILD)/nidora"

test: configure format-check
	@cmake --build $(BUILD) -j $(JOBS)
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 300

bench: deps
	@cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DNIDORA_BENCH=ON -DBUILD_TESTING=OFF > /dev/null
	@cmake --build $(BUILD)-bench -j $(JOBS)
	@echo "benchmarks built in $(BUILD)-bench/bench"

# The C++ files git knows of (new ones not yet added included), laid out by clang-format.
SOURCES = git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h'

format: deps
	@$(SOURCES) | xargs clang-format -i

format-check: deps
	@$(SOURCES) | xargs clang-format --dry-run --Werror || \
	  { echo "Some files differ from .clang-format: 'make format' lays them out."; exit 1; }
