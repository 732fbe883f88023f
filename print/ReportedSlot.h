#pragma once

#include "print/ShowErrMsg.h"

#include "platform/RuntimeError.h"

#include <QString>

#include <functional>
#include <utility>

// A handler made fit to connect to a signal: a RuntimeError it throws is
// reported through ShowErrMsg with the error's own description and never
// crosses the event loop. The wrapper takes exactly the arguments the
// handler takes, so Qt drops the signal arguments it does not want.
template<typename Handler>
auto reportedSlot(Handler handler)
{
    return [handler = std::move(handler)](auto &&...args)
               -> decltype(std::invoke(std::declval<const Handler &>(),
                                       std::forward<decltype(args)>(args)...),
                           void()) {
        try {
            std::invoke(handler, std::forward<decltype(args)>(args)...);
        } catch (const RuntimeError &error) {
            ShowErrMsg(QString(), &error);
        }
    };
}

// The same for a member function of the receiver.
template<typename Receiver, typename Member>
auto reportedSlot(Receiver *receiver, Member member)
{
    return reportedSlot([receiver, member](auto &&...args)
                            -> decltype(std::invoke(std::declval<Member>(),
                                                    std::declval<Receiver *>(),
                                                    std::forward<decltype(args)>(args)...),
                                        void()) {
        std::invoke(member, receiver, std::forward<decltype(args)>(args)...);
    });
}
