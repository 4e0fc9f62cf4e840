#pragma once

#include <QString>

// Why a request of a client failed, with the JSON-RPC 2.0 error code the
// WebSocket API reports (the standard's own codes, and server codes in
// -32000..-32099 for what happens between the server and a unit), and the
// parameter or path it is about. The line protocol prints the message.
struct Failure
{
    enum Code : int
    {
        None = 0,
        ParseError = -32700,
        InvalidRequest = -32600,
        MethodNotFound = -32601,
        InvalidParams = -32602,
        InternalError = -32603,
        Busy = -32000,        // too many requests of this client in flight
        UnknownUnit = -32001, // no unit is known by that name
        UnitOffline = -32002, // the unit is known but not connected
        NoAnswer = -32003,    // the unit did not answer in time
        NotOnUnit = -32004,   // the unit has no such block
        UnitRefused = -32005, // the unit did not do what was asked (a preset)
    };

    int code = None;
    QString message;
    QString field; // the parameter: "unit", "paths", "values", "slot"
    QString path;  // the path it is about, if any

    bool failed() const { return code != None; }
    static Failure of(int code, const QString &message, const QString &field = QString(),
                      const QString &path = QString())
    {
        return Failure{code, message, field, path};
    }
};
