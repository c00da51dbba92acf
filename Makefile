# Thin wrapper over CMake so that the README's two commands are all anyone needs.
BUILD ?= build
SAN_BUILD ?= build-sanitize
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all configure build run test test-sanitize test-tsan bench package docs clean erase-model-long

all: build

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/app/zarvok

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Same tests, built with AddressSanitizer and UndefinedBehaviorSanitizer; the end-to-end,
# benchmark and install checks run in the normal build only.
test-sanitize:
	cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZARVOK_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE 'e2e|bench|install|abi|docs'

# The threaded code under ThreadSanitizer: the erase engine's tests and the erase run's (the
# worker threads, cancelling, the survey beside an erase).
TSAN_BUILD ?= build-tsan
test-tsan:
	cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZARVOK_TSAN=ON $(CMAKE_FLAGS)
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target erase_engine_test test_app_logic
	cd $(TSAN_BUILD) && TSAN_OPTIONS="halt_on_error=1 suppressions=$(CURDIR)/tests/tsan.supp" ctest --output-on-failure -j $(JOBS) \
	  -R '^(Cases/Erase|Erase|Survey|WorkPool|BackgroundEraser|EraseLoop)'

bench: build
	cmake --build $(BUILD) --target benchmarks
	@echo "Benchmarks are in $(BUILD)/bench/"

# A .deb of the programs, desktop entry, icon, metainfo and man pages (CPack; dependencies from
# dpkg-shlibdeps), written into $(BUILD).
package: build docs
	cd $(BUILD) && cpack -G DEB && cpack -G DEB --config CPackSkinButtonConfig.cmake

# The SkinButton API reference: HTML and a Qt Help file (skinbutton.qch) in $(BUILD)/skinbutton-docs,
# installed by `cmake --install` and packaged as libskinbutton-doc.
docs: configure
	cmake --build $(BUILD) --target skinbutton-docs

clean:
	rm -rf $(BUILD) $(SAN_BUILD) build-release

# The erase engine's randomized model test with random seeds, for a long run (ROUNDS of 1,000
# trees each); prints the seed of the first tree that breaks the rules.
ROUNDS ?= 20
erase-model-long: build
	for round in $$(seq $(ROUNDS)); do \
	  seed=$$(od -An -N4 -tu4 /dev/urandom | tr -d ' '); \
	  ZARVOK_MODEL_SEED=$$seed ZARVOK_MODEL_TREES=1000 $(BUILD)/tests/erase/erase_engine_test \
	    --gtest_filter='EraseModel.*' || { echo "erase model failed from seed $$seed"; exit 1; }; \
	done

# Every reader of outside input under libFuzzer for FUZZ_SECONDS each, from its seed corpus in
# fuzz/corpus/; built with clang in a folder of its own (see fuzz/README.md).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
.PHONY: fuzz
fuzz:
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DZARVOK_FUZZ=ON -DZARVOK_SANITIZE=ON -DZARVOK_WERROR=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run $(FUZZ_BUILD)
clean: clean-fuzz
.PHONY: clean-fuzz
clean-fuzz:
	rm -rf $(FUZZ_BUILD)
