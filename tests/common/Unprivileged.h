#pragma once

// File permissions do not bind root, and the tests run as root in CI. A check
// of what a user may not write therefore runs in a child process that has
// become the user "nobody"; run by anyone else it runs here. The check
// reports its failures as text, since the child's test results are lost.

#include <cstdio>
#include <functional>
#include <string>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace unprivileged {

// Collects what a check found wrong.
class Failures {
public:
    void Expect(bool ok, const std::string& what)
    {
        if (!ok)
            m_text += what + "\n";
    }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

inline const passwd* Nobody() { return ::getpwnam("nobody"); }

// Lets nobody work in folder (made by root), with the usual owner rights.
inline void HandOver(const std::string& folder)
{
    if (::geteuid() != 0)
        return;
    if (const passwd* nobody = Nobody())
        [[maybe_unused]] const int ignored = ::chown(folder.c_str(), nobody->pw_uid, nobody->pw_gid);
}

// Runs check as nobody when this process is root, else directly. Returns the
// failures ("" when it passed).
inline std::string Run(const std::function<std::string()>& check)
{
    if (::geteuid() != 0)
        return check();
    const passwd* nobody = Nobody();
    if (!nobody)
        return "there is no user nobody to run the check as";
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    int fds[2];
    if (::pipe(fds) != 0)
        return "no pipe";
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0)
        return "no fork";
    if (pid == 0) {
        ::close(fds[0]);
        std::string result;
        if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
            result = "cannot become nobody";
        else if (::geteuid() == 0)
            result = "still root";
        else
            result = check();
        const char* data = result.data();
        std::size_t left = result.size();
        while (left > 0) {
            const ssize_t n = ::write(fds[1], data, left);
            if (n <= 0)
                break;
            data += n;
            left -= std::size_t(n);
        }
        std::fflush(nullptr);
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string result;
    char buffer[512];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, std::size_t(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        result += "the unprivileged check did not end normally\n";
    return result;
}

} // namespace unprivileged
