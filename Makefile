# make run   - install what is missing, build, start Planek on a demo ward
# make test  - the same set-up, then every test (and the sanitizer build)
# make deb   - the Debian package of the build, checked with lintian and appstreamcli
BUILD ?= build
ASAN  ?= build-asan
JOBS  ?= $(shell nproc)

.PHONY: all deps configure build run test unit sanitize clean deb

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@[ -d $(BUILD)/demo/dane ] || $(BUILD)/planek-cli demo $(BUILD)/demo
	$(BUILD)/planek --root $(BUILD)/demo "$$(ls $(BUILD)/demo/dane/*.pnk | tail -n 1)"

unit: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

$(ASAN)/build.ninja:
	cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLANEK_SANITIZE=ON -DPLANEK_GUI=OFF

sanitize: deps $(ASAN)/build.ninja
	cmake --build $(ASAN) -j $(JOBS)
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

test: unit sanitize

# cpack packs the build folder's programs, the ones the tests ran on.
deb: build
	rm -f $(BUILD)/planek_*.deb
	cd $(BUILD) && cpack -G DEB
	scripts/check-deb.sh $(BUILD)/planek_*.deb

clean:
	rm -rf $(BUILD) $(ASAN)

# make fuzz  - the libFuzzer targets (clang, ASan+UBSan) in build-fuzz; not part of make test.
# make fuzz-run FUZZ_SECONDS=600 - runs each of them on its seeds for that long.
FUZZ ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: fuzz fuzz-run

$(FUZZ)/build.ninja:
	cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DPLANEK_FUZZ=ON -DPLANEK_GUI=OFF

fuzz: $(FUZZ)/build.ninja
	cmake --build $(FUZZ) -j $(JOBS) --target fuzz_all

fuzz-run: fuzz
	fuzz/run.sh $(FUZZ) $(FUZZ_SECONDS)

# make bench - planek-bench in build-bench (Release; Google Benchmark installed
# when missing): the timings table, then the memory of 600 workers with 12
# months open, then one planner's commands in hospitals of 300, 600 and 1,200
# workers. Not part of make test. bench/count.sh gives callgrind counts.
BENCH ?= build-bench

.PHONY: bench

bench: deps
	@bench/deps.sh
	cmake -S . -B $(BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLANEK_BENCH=ON -DPLANEK_GUI=OFF
	cmake --build $(BENCH) -j $(JOBS) --target planek-bench planek-cli
	$(BENCH)/bench/planek-bench --wards $(BENCH)/wards
	$(BENCH)/bench/planek-bench --wards $(BENCH)/wards --memory
	$(BENCH)/bench/planek-bench --wards $(BENCH)/wards --hospital
