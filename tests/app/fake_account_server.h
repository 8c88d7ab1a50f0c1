#pragma once

// A small HTTP/1.1 server on 127.0.0.1 that speaks the account service's REST API for the tests:
// every endpoint answers as a working service would, and a test can replace any answer with an
// error status, a slow reply, a dropped connection or an oversized body. It records every request.
// One request per connection (answers carry "Connection: close"). Header-only, so each test program
// that needs it simply includes it.

#include <QByteArray>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

#include <functional>
#include <memory>

struct FakeRequest {
    QByteArray method;
    QString path; // without the base's "/api" prefix
    QHash<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;

    QJsonObject json() const { return QJsonDocument::fromJson(body).object(); }
    QByteArray header(const QByteArray& name) const { return headers.value(name.toLower()); }
};

struct FakeResponse {
    int status = 200;
    QByteArray body = "{}";
    int delayMs = 0;
    bool dropConnection = false; // close without answering: a network failure for the client

    static FakeResponse json(int status, const QJsonObject& object)
    {
        return {status, QJsonDocument(object).toJson(QJsonDocument::Compact)};
    }
};

class FakeAccountServer : public QObject {
public:
    using Handler = std::function<FakeResponse(const FakeRequest&)>;

    // Requests beyond this many are dropped unanswered: a client caught in a loop cannot spin forever.
    static constexpr int kMaxRequests = 200;
    static constexpr qsizetype kMaxRequestBytes = 1024 * 1024;

    explicit FakeAccountServer(QObject* parent = nullptr) : QObject(parent), server_(this)
    {
        connect(&server_, &QTcpServer::newConnection, this, [this] { accept(); });
        installDefaults();
    }

    // Port 0 takes any free port; a program whose base is compiled in needs the one it was built with.
    bool start(quint16 port = 0) { return server_.listen(QHostAddress(QStringLiteral("127.0.0.1")), port); }
    QUrl baseUrl() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/api").arg(server_.serverPort())); }

    void on(const QByteArray& method, const QString& path, Handler handler) { handlers_[method + ' ' + path.toUtf8()] = std::move(handler); }
    void on(const QByteArray& method, const QString& path, const FakeResponse& response)
    {
        on(method, path, [response](const FakeRequest&) { return response; });
    }

    const QList<FakeRequest>& requests() const { return requests_; }
    int count(const QString& path) const
    {
        int n = 0;
        for (const FakeRequest& request : requests_)
            n += request.path == path ? 1 : 0;
        return n;
    }
    FakeRequest last(const QString& path) const
    {
        for (auto it = requests_.crbegin(); it != requests_.crend(); ++it)
            if (it->path == path)
                return *it;
        return {};
    }
    void clearRequests() { requests_.clear(); }

    // A fresh token pair, as the service hands out.
    QJsonObject tokens(int expiresIn = 900)
    {
        ++issued_;
        return {{QStringLiteral("access_token"), QStringLiteral("access-%1").arg(issued_)},
            {QStringLiteral("refresh_token"), QStringLiteral("refresh-%1").arg(issued_)},
            {QStringLiteral("expires_in"), expiresIn}};
    }
    QJsonObject loginReply(const QString& email, const QString& displayName = {})
    {
        return {{QStringLiteral("tokens"), tokens()},
            {QStringLiteral("user"), QJsonObject{{QStringLiteral("email"), email}, {QStringLiteral("display_name"), displayName}}}};
    }

    // Device registration answers with this expiry (the refresh delay then follows it).
    int deviceExpiresIn = 900;
    // The state the Google start reply hands out.
    QString googleState = QStringLiteral("v2.fake-state-0123456789");
    // The one authorization code the Google exchange accepts.
    QString googleCode = QStringLiteral("good-code");

    static QString codeChallenge() { return QStringLiteral("E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM"); }

    // An authorization URL as a current service builds it for `redirectUri`.
    QUrl googleAuthUrl(const QString& redirectUri) const
    {
        QUrl url(QStringLiteral("https://accounts.google.com/o/oauth2/v2/auth"));
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("response_type"), QStringLiteral("code"));
        query.addQueryItem(QStringLiteral("client_id"), QStringLiteral("fake.apps.example"));
        query.addQueryItem(QStringLiteral("redirect_uri"), QString::fromLatin1(QUrl::toPercentEncoding(redirectUri)));
        query.addQueryItem(QStringLiteral("state"), googleState);
        query.addQueryItem(QStringLiteral("code_challenge"), codeChallenge());
        query.addQueryItem(QStringLiteral("code_challenge_method"), QStringLiteral("S256"));
        url.setQuery(query);
        return url;
    }

private:
    bool hasBearer(const FakeRequest& request) const { return request.header("Authorization").startsWith("Bearer access-"); }

    void installDefaults()
    {
        on("POST", QStringLiteral("/v1/auth/code/send"), FakeResponse::json(200, {{QStringLiteral("expires_in"), 60}}));
        on("POST", QStringLiteral("/v1/auth/code/login"), [this](const FakeRequest& r) {
            return FakeResponse::json(200, loginReply(r.json().value(QStringLiteral("identifier")).toString(), QStringLiteral("Code User")));
        });
        on("POST", QStringLiteral("/v1/auth/login"), [this](const FakeRequest& r) {
            return FakeResponse::json(200, loginReply(r.json().value(QStringLiteral("email")).toString(), QStringLiteral("Password User")));
        });
        on("POST", QStringLiteral("/v1/auth/register"), [this](const FakeRequest& r) {
            const QJsonObject body = r.json();
            return FakeResponse::json(201, loginReply(body.value(QStringLiteral("email")).toString(),
                                               body.value(QStringLiteral("display_name")).toString()));
        });
        on("POST", QStringLiteral("/v1/auth/password/reset"), FakeResponse::json(200, {{QStringLiteral("ok"), true}}));
        on("POST", QStringLiteral("/v1/auth/refresh"), [this](const FakeRequest& r) {
            if (!r.json().value(QStringLiteral("refresh_token")).toString().startsWith(QLatin1String("refresh-")))
                return FakeResponse::json(401, {{QStringLiteral("message"), QStringLiteral("refresh token revoked")}});
            return FakeResponse::json(200, {{QStringLiteral("tokens"), tokens()}});
        });
        on("POST", QStringLiteral("/v1/devices/register"), [this](const FakeRequest& r) {
            if (!hasBearer(r))
                return FakeResponse::json(401, {});
            return FakeResponse::json(200, tokens(deviceExpiresIn));
        });
        on("POST", QStringLiteral("/v1/auth/logout"), FakeResponse{204, {}});
        on("DELETE", QStringLiteral("/v1/me"), [this](const FakeRequest& r) {
            if (!hasBearer(r) || r.json().value(QStringLiteral("confirmation")).toString() != QLatin1String("DELETE"))
                return FakeResponse::json(400, {{QStringLiteral("message"), QStringLiteral("confirmation required")}});
            return FakeResponse{204, {}};
        });
        on("POST", QStringLiteral("/v1/auth/oauth/google/start"), [this](const FakeRequest& r) {
            const QString redirectUri = r.json().value(QStringLiteral("redirect_uri")).toString();
            return FakeResponse::json(200, {{QStringLiteral("auth_url"), googleAuthUrl(redirectUri).toString(QUrl::FullyEncoded)},
                                               {QStringLiteral("state"), googleState}});
        });
        on("POST", QStringLiteral("/v1/auth/oauth/google/callback"), [this](const FakeRequest& r) {
            const QJsonObject body = r.json();
            if (body.value(QStringLiteral("code")).toString() != googleCode || body.value(QStringLiteral("state")).toString() != googleState)
                return FakeResponse::json(400, {{QStringLiteral("code"), QStringLiteral("oauth_exchange_failed")}});
            return FakeResponse::json(200, loginReply(QStringLiteral("google.user@example.com"), QStringLiteral("Google User")));
        });
    }

    void accept()
    {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            auto buffer = std::make_shared<QByteArray>();
            connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] { readRequest(socket, *buffer); });
        }
    }

    void readRequest(QTcpSocket* socket, QByteArray& buffer)
    {
        buffer.append(socket->readAll());
        if (buffer.size() > kMaxRequestBytes) {
            socket->abort();
            return;
        }
        const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        FakeRequest request;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        request.method = requestLine.value(0);
        QString path = QUrl::fromEncoded(requestLine.value(1)).path();
        if (path.startsWith(QLatin1String("/api/")))
            path = path.mid(4);
        request.path = path;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
        }
        const qsizetype length = request.header("Content-Length").toLongLong();
        if (buffer.size() - headerEnd - 4 < length)
            return;
        request.body = buffer.mid(headerEnd + 4, length);
        socket->disconnect(this);
        if (requests_.size() >= kMaxRequests) {
            socket->abort();
            return;
        }
        requests_.append(request);
        const Handler handler = handlers_.value(request.method + ' ' + request.path.toUtf8());
        const FakeResponse response = handler ? handler(request) : FakeResponse::json(404, {});
        QTimer::singleShot(response.delayMs, socket, [socket, response] { answer(socket, response); });
    }

    static void answer(QTcpSocket* socket, const FakeResponse& response)
    {
        if (response.dropConnection) {
            socket->abort();
            return;
        }
        QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Fake\r\nContent-Type: application/json\r\n"
            "Connection: close\r\nContent-Length: " + QByteArray::number(response.body.size()) + "\r\n\r\n";
        socket->write(head + response.body);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    QHash<QByteArray, Handler> handlers_;
    QList<FakeRequest> requests_;
    int issued_ = 0;
};
