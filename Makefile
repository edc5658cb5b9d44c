# make run   - install what is missing, build, start Planek on a demo ward
# make test  - the same set-up, then every test (and the sanitizer build)
BUILD ?= build
ASAN  ?= build-asan
JOBS  ?= $(shell nproc)

.PHONY: all deps configure build run test unit sanitize clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@[ -d $(BUILD)/demo/dane ] || $(BUILD)/planek-cli demo $(BUILD)/demo
	$(BUILD)/planek --root $(BUILD)/demo

unit: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

$(ASAN)/build.ninja:
	cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLANEK_SANITIZE=ON -DPLANEK_GUI=OFF

sanitize: deps $(ASAN)/build.ninja
	cmake --build $(ASAN) -j $(JOBS)
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

test: unit sanitize

clean:
	rm -rf $(BUILD) $(ASAN)
