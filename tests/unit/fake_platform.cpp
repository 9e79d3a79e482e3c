#include "fake_platform.h"

namespace {

FakePlatform& Fake(void* context) { return *static_cast<FakePlatform*>(context); }

void WriteOut(void* context, const char* text) {
    Fake(context).operations.push_back(std::string("out:") + text);
}

int InstallDriver(void* context, const char* inf_path) {
    Fake(context).operations.push_back(std::string("install:") + inf_path);
    return Fake(context).install_result;
}

std::uint32_t InstallError(void* context) {
    Fake(context).operations.push_back("install_error");
    return Fake(context).error_code;
}

void SleepMs(void* context, std::uint32_t milliseconds) {
    Fake(context).operations.push_back("sleep:" + std::to_string(milliseconds));
}

}  // namespace

Platform FakePlatform::Seam() { return Platform{this, WriteOut, InstallDriver, InstallError, SleepMs}; }
