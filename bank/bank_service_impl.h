#pragma once
// IBankServiceImpl: the six methods that open every service's interface. Each service adds its
// own StatusText and its run.
#include "bank/bstr_copy.h"
#include "host/generated_interfaces.h"
#include "platform/win32/unique_handles.h"
#include "server/com_method_guard.h"
#include "server/dispatch_impl.h"

template <class T, class ServiceInterface>
class IBankServiceImpl : public DispatchImpl<ServiceInterface> {
public:
    IBankServiceImpl(const IBankServiceImpl&) = delete;
    IBankServiceImpl& operator=(const IBankServiceImpl&) = delete;

    STDMETHODIMP get_Name(BSTR* name) override {
        return ComMethodGuard([&] {
            RequireOut(name);
            *name = CopyBstr(name_.Get());
        });
    }

    STDMETHODIMP get_ResultCode(LONG* code) override {
        return ComMethodGuard([&] {
            RequireOut(code);
            *code = resultCode_;
        });
    }

    // Any value, no check: the host may set what it likes.
    STDMETHODIMP put_ResultCode(LONG code) override {
        resultCode_ = code;
        return S_OK;
    }

    STDMETHODIMP ReservedQuery(LONG* value) override {
        return ComMethodGuard([&] { RequireOut(value); });
    }

    STDMETHODIMP ReservedLookup(LONG, LONG* value) override {
        return ComMethodGuard([&] { RequireOut(value); });
    }

    // The outcome of the service's last run, as the runs set it.
    LONG ResultCode() const noexcept { return resultCode_; }
    void SetResultCode(LONG code) noexcept { resultCode_ = code; }

protected:
    explicit IBankServiceImpl(const char* name) : name_(BstrFromAnsi(name)) {}
    ~IBankServiceImpl() = default;

private:
    UniqueBstr name_;
    LONG resultCode_ = 0;
};
