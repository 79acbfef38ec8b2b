#include "framework/LogicalThread.h"

#include <boost/context/protected_fixedsize_stack.hpp>

#include <cxxabi.h>

#include <cstring>
#include <memory>
#include <utility>

#if defined(__ARM_EABI_UNWINDER__) || !defined(__GLIBCXX__)
#error "the per-fiber exception state assumes the Itanium C++ ABI of libstdc++ on this target"
#endif

namespace nidora::framework {

LogicalThread::LogicalThread(int number)
    : context_(number)
{
}

void LogicalThread::prepare(std::function<void()> body, std::size_t stackSize)
{
    body_ = std::move(body);
    stackSize_ = stackSize;
    fiber_ = boost::context::fiber(std::allocator_arg, boost::context::protected_fixedsize_stack(stackSize),
        [this](boost::context::fiber&& resumer) {
            resumer_ = std::move(resumer);
            body_();
            return std::move(resumer_);
        });
}

void LogicalThread::resume()
{
    swapExceptionState(exceptions_);
    fiber_ = std::move(fiber_).resume();
    swapExceptionState(exceptions_);
}

void LogicalThread::suspend()
{
    resumer_ = std::move(resumer_).resume();
}

void LogicalThread::swapExceptionState(ExceptionState& other)
{
    // __cxa_eh_globals is { caught exceptions, uncaught count } in this ABI.
    void* globals = abi::__cxa_get_globals();
    ExceptionState current;
    std::memcpy(&current, globals, sizeof current);
    std::memcpy(globals, &other, sizeof other);
    other = current;
}

} // namespace nidora::framework
