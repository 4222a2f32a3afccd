#pragma once
// IBankImpl: the bank object's methods, over the service-list class `Services`.
#include <array>

#include "bank/bstr_copy.h"
#include "host/bank_name.h"
#include "host/generated_interfaces.h"
#include "host/host_classes.h"
#include "platform/win32/unique_handles.h"
#include "server/com_method_guard.h"
#include "server/com_object.h"
#include "server/dispatch_impl.h"
#include "server/host_object.h"

template <class T, class Services>
class IBankImpl : public DispatchImpl<IBank> {
public:
    IBankImpl(const IBankImpl&) = delete;
    IBankImpl& operator=(const IBankImpl&) = delete;

    STDMETHODIMP get_Name(BSTR* name) override {
        return ComMethodGuard([&] {
            RequireOut(name);
            *name = CopyBstr(name_.Get());
        });
    }

    // The list is made on the first request and kept for the bank's life, so the host sees the
    // same two services throughout.
    STDMETHODIMP get_Services(ITeskBankServices** services) override {
        return ComMethodGuard([&] {
            RequireOut(services);
            if (!services_) services_ = CreateComObject<Services>();
            *services = Retain(static_cast<IBankServices*>(services_.Get())).Detach();
        });
    }

    STDMETHODIMP get_Indicator(LONG* value) override {
        return ComMethodGuard([&] {
            RequireOut(value);
            *value = 1;
        });
    }

    // Hands the bank's name to the host's configuration.
    STDMETHODIMP RegisterConfiguration(LONG) override {
        return ComMethodGuard([] {
            const auto configuration = HostObject<ITeskBankConfiguration>::Create(kBankConfigurationClassId);
            auto name = BankNameBuffer<1024>();
            constexpr LONG kRegistrationKind = 3;
            configuration.Raising([&](ITeskBankConfiguration& host) {
                return host.RegisterBank(name.data(), kRegistrationKind);
            });
        });
    }

protected:
    IBankImpl() : name_(BstrFromAnsi(kBankName)) {}
    ~IBankImpl() = default;

private:
    UniqueBstr name_;
    ComPtr<ComObject<Services>> services_;
};
